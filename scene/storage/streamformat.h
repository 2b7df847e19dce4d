// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace scene::streamformat {

// The constants the reader and the writer share; meshreader.h describes the layout.

inline constexpr std::string_view signature = "TPF0";
inline constexpr std::string_view className = "TMesh";

inline constexpr std::size_t extendedBytes = 10;

enum ValueType : std::uint8_t {
    Null = 0,
    Int8 = 2,
    Int16 = 3,
    Int32 = 4,
    Float80 = 5,
    String = 6,
    Identifier = 7,
    False = 8,
    True = 9,
    Binary = 10,
    Utf8Text = 20,
};

/// "extended (5)", "true (9)", "unknown (200)": for messages.
std::string valueTypeName(std::uint8_t tag);

/// An identifier: a letter or underscore, then letters, digits or underscores, optionally
/// dotted ("Form2.lettreMat11").
bool isIdentifier(std::string_view text);

/// The text with anything outside printable ASCII shown as \xNN, for messages.
std::string printable(std::string_view text);

} // namespace scene::streamformat
