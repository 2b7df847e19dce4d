// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace scene {

/// Reads little-endian values from a bounded piece of a stream. Every read checks the bounds
/// first and reports a short read as a StorageError at the offset where it began; offsets are
/// counted from the start of the whole stream even when the cursor covers only a block of it.
class ByteCursor
{
public:
    /// `scope` names the piece in messages ("the data", "the Data.Mesh block").
    ByteCursor(std::span<const std::uint8_t> bytes, std::size_t baseOffset, std::string scope);

    std::size_t offset() const noexcept { return m_base + m_pos; }
    std::size_t remaining() const noexcept { return m_bytes.size() - m_pos; }

    std::uint8_t readU8(std::string_view what);
    std::uint16_t readU16(std::string_view what);
    std::uint32_t readU32(std::string_view what);
    float readF32(std::string_view what);
    std::span<const std::uint8_t> readBytes(std::size_t count, std::string_view what);
    /// One length byte, then that many bytes.
    std::string readCountedString(std::string_view what);

    [[noreturn]] void fail(std::size_t at, const std::string &reason) const;

private:
    void require(std::size_t count, std::string_view what) const;

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_base;
    std::size_t m_pos = 0;
    std::string m_scope;
};

} // namespace scene
