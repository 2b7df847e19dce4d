// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modelgeometry.h"

#include <cstdint>
#include <vector>

namespace scene {

/// Lays out a model's geometry as meshreader.h describes. Refuses, with std::invalid_argument,
/// any geometry the reader would refuse (non-finite or negative numbers, a bad index, a
/// material name that is no identifier, counts beyond the stream's fields), so that whatever
/// it writes reads back equal. The output depends on nothing but the geometry.
std::vector<std::uint8_t> writeModelGeometry(const ModelGeometry &geometry);

} // namespace scene
