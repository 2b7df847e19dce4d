// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace scene {

/// An x87 80-bit extended float as stored: 64-bit significand with an explicit integer bit
/// (bytes 0 to 7, little-endian), then sign and 15-bit exponent biased by 16383 (bytes 8, 9).
using Extended80 = std::array<std::uint8_t, 10>;

/// Exact: every double, subnormals, infinities and NaN included, has an extended form.
Extended80 doubleToExtended(double value);

/// Rounds to the nearest double, ties to even. Values beyond the double range become infinite,
/// those below it zero. Returns nothing for the encodings that are no number at all
/// (a normal exponent with a clear integer bit, the "unnormals").
std::optional<double> extendedToDouble(const Extended80 &bytes);

} // namespace scene
