// SPDX-License-Identifier: GPL-3.0-or-later
#include "storageerror.h"

namespace scene {

StorageError::StorageError(std::size_t offset, const std::string &reason)
    : std::runtime_error("byte " + std::to_string(offset) + ": " + reason)
    , m_offset(offset)
    , m_reason(reason)
{ }

} // namespace scene
