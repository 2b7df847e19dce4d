// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

#include <cstdint>

namespace meshgen {

/// Scratched, brushed copper for the stator: mottled tarnish, fine brushing streaks along u and
/// a few hundred scratches. Drawn from a fixed seed with integer hashing only, so the same seed
/// always gives the same pixels. Wraps around at the edges so it can repeat.
QImage makeCopperTexture(int size = 512, std::uint64_t seed = 0x5EED'C0FFEEull);

} // namespace meshgen
