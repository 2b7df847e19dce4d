// SPDX-License-Identifier: GPL-3.0-or-later
#include "streamformat.h"

namespace scene::streamformat {

namespace {

bool isLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::string valueTypeName(std::uint8_t tag)
{
    const char *name = "unknown";
    switch (tag) {
    case Null:
        name = "null";
        break;
    case Int8:
        name = "int8";
        break;
    case Int16:
        name = "int16";
        break;
    case Int32:
        name = "int32";
        break;
    case Float80:
        name = "extended";
        break;
    case String:
        name = "string";
        break;
    case Identifier:
        name = "identifier";
        break;
    case False:
        name = "false";
        break;
    case True:
        name = "true";
        break;
    case Binary:
        name = "binary";
        break;
    case Utf8Text:
        name = "UTF-8 string";
        break;
    default:
        break;
    }
    return std::string(name) + " (" + std::to_string(tag) + ")";
}

bool isIdentifier(std::string_view text)
{
    bool atPartStart = true;
    for (const char c : text) {
        if (c == '.') {
            if (atPartStart)
                return false;
            atPartStart = true;
        } else if (isLetter(c) || (!atPartStart && isDigit(c))) {
            atPartStart = false;
        } else {
            return false;
        }
    }
    return !atPartStart;
}

std::string printable(std::string_view text)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '\\') {
            out += c;
        } else {
            out += "\\x";
            out += hex[byte >> 4];
            out += hex[byte & 0xF];
        }
    }
    return out;
}

} // namespace scene::streamformat
