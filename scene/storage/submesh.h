// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "meshdata.h"
#include "vector3.h"

#include <optional>
#include <string>

namespace scene {

/// One sub-mesh of a model. Vertex positions are in the model's own frame; `position` and
/// `size` restate the box around them (its centre and its extents), which is how the toolkit
/// places the sub-mesh.
struct SubMesh
{
    Vector3 position; ///< centre of the box; a zero coordinate is left out of the stream
    Vector3 size; ///< Width, Height, Depth
    bool locked = true;
    bool hitTest = false;
    /// The material the geometry names, as a dotted identifier such as "Form2.lettreMat11".
    std::optional<std::string> materialSource;
    MeshData mesh;

    bool operator==(const SubMesh &) const = default;
};

} // namespace scene
