// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace scene {

/// Raised by the reader for any stream it refuses. `what()` reads "byte <offset>: <reason>",
/// where the offset counts from the start of the stream and points at the item found wrong.
class StorageError : public std::runtime_error
{
public:
    StorageError(std::size_t offset, const std::string &reason);

    std::size_t offset() const noexcept { return m_offset; }
    const std::string &reason() const noexcept { return m_reason; }

private:
    std::size_t m_offset;
    std::string m_reason;
};

} // namespace scene
