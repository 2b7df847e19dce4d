// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace scene {

/// The triangles of one sub-mesh, laid out as the GPU takes them: 56-byte vertex records and
/// 32-bit indices, three per triangle, counter-clockwise seen from outside.
struct MeshData
{
    static constexpr std::size_t floatsPerVertex = 14;
    static constexpr std::size_t vertexBytes = floatsPerVertex * sizeof(float);

    // Slots of a vertex record. The binormal and tangent slots are carried through untouched:
    // nothing in the program reads them.
    static constexpr std::size_t positionSlot = 0;
    static constexpr std::size_t normalSlot = 3;
    static constexpr std::size_t texCoordSlot = 6;
    static constexpr std::size_t binormalSlot = 8;
    static constexpr std::size_t tangentSlot = 11;

    using Vertex = std::array<float, floatsPerVertex>;

    std::vector<Vertex> vertices;
    std::vector<std::uint32_t> indices;

    bool operator==(const MeshData &) const = default;
};

} // namespace scene
