// SPDX-License-Identifier: GPL-3.0-or-later
#include "bytecursor.h"

#include "storageerror.h"

#include <bit>
#include <utility>

namespace scene {

ByteCursor::ByteCursor(std::span<const std::uint8_t> bytes, std::size_t baseOffset,
                       std::string scope)
    : m_bytes(bytes), m_base(baseOffset), m_scope(std::move(scope))
{ }

void ByteCursor::require(std::size_t count, std::string_view what) const
{
    if (count <= remaining())
        return;
    fail(offset(),
         m_scope + " ends inside " + std::string(what) + " (" + std::to_string(count)
             + " bytes needed, " + std::to_string(remaining()) + " left)");
}

void ByteCursor::fail(std::size_t at, const std::string &reason) const
{
    throw StorageError(at, reason);
}

std::uint8_t ByteCursor::readU8(std::string_view what)
{
    require(1, what);
    return m_bytes[m_pos++];
}

std::uint16_t ByteCursor::readU16(std::string_view what)
{
    require(2, what);
    const auto value = static_cast<std::uint16_t>(m_bytes[m_pos] | (m_bytes[m_pos + 1] << 8));
    m_pos += 2;
    return value;
}

std::uint32_t ByteCursor::readU32(std::string_view what)
{
    require(4, what);
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= std::uint32_t {m_bytes[m_pos + i]} << (8 * i);
    m_pos += 4;
    return value;
}

float ByteCursor::readF32(std::string_view what)
{
    static_assert(sizeof(float) == 4);
    return std::bit_cast<float>(readU32(what));
}

std::span<const std::uint8_t> ByteCursor::readBytes(std::size_t count, std::string_view what)
{
    require(count, what);
    const auto piece = m_bytes.subspan(m_pos, count);
    m_pos += count;
    return piece;
}

std::string ByteCursor::readCountedString(std::string_view what)
{
    const std::size_t length = readU8(what);
    const auto text = readBytes(length, what);
    return std::string(text.begin(), text.end());
}

} // namespace scene
