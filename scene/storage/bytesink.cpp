// SPDX-License-Identifier: GPL-3.0-or-later
#include "bytesink.h"

#include <bit>
#include <cassert>

namespace scene {

void ByteSink::writeU8(std::uint8_t value)
{
    m_bytes.push_back(value);
}

void ByteSink::writeU16(std::uint16_t value)
{
    m_bytes.push_back(static_cast<std::uint8_t>(value));
    m_bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void ByteSink::writeU32(std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        m_bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void ByteSink::writeF32(float value)
{
    writeU32(std::bit_cast<std::uint32_t>(value));
}

void ByteSink::writeBytes(const std::uint8_t *data, std::size_t count)
{
    m_bytes.insert(m_bytes.end(), data, data + count);
}

void ByteSink::writeCountedString(std::string_view text)
{
    assert(text.size() <= 255);
    writeU8(static_cast<std::uint8_t>(text.size()));
    writeBytes(reinterpret_cast<const std::uint8_t *>(text.data()), text.size());
}

} // namespace scene
