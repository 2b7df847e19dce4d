// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace scene {

/// Appends little-endian values to a growing byte vector, whatever the host's byte order.
class ByteSink
{
public:
    void writeU8(std::uint8_t value);
    void writeU16(std::uint16_t value);
    void writeU32(std::uint32_t value);
    void writeF32(float value);
    void writeBytes(const std::uint8_t *data, std::size_t count);
    /// One length byte, then the text; the caller keeps it within 255 bytes.
    void writeCountedString(std::string_view text);

    std::size_t size() const noexcept { return m_bytes.size(); }
    void reserve(std::size_t count) { m_bytes.reserve(count); }
    std::vector<std::uint8_t> take() { return std::move(m_bytes); }

private:
    std::vector<std::uint8_t> m_bytes;
};

} // namespace scene
