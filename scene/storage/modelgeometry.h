// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "submesh.h"

#include <vector>

namespace scene {

/// Everything one model file holds: its sub-meshes in stream order.
struct ModelGeometry
{
    std::vector<SubMesh> subMeshes;

    bool operator==(const ModelGeometry &) const = default;
};

} // namespace scene
