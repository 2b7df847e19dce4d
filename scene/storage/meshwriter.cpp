// SPDX-License-Identifier: GPL-3.0-or-later
#include "meshwriter.h"

#include "bytesink.h"
#include "extended80.h"
#include "streamformat.h"

#include <bit>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace scene {

namespace sf = streamformat;

namespace {

[[noreturn]] void refuse(std::size_t subMesh, const std::string &reason)
{
    throw std::invalid_argument("sub-mesh " + std::to_string(subMesh) + ": " + reason);
}

void checkSubMesh(std::size_t index, const SubMesh &subMesh)
{
    const auto finite = [](const Vector3 &v) {
        return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
    };
    if (!finite(subMesh.position))
        refuse(index, "the position is not finite");
    if (!finite(subMesh.size) || subMesh.size.x < 0 || subMesh.size.y < 0 || subMesh.size.z < 0)
        refuse(index, "the size is not finite and non-negative");
    if (subMesh.materialSource
        && (subMesh.materialSource->size() > 255 || !sf::isIdentifier(*subMesh.materialSource)))
        refuse(index,
               "the material source '" + sf::printable(*subMesh.materialSource)
                   + "' is not an identifier of at most 255 bytes");

    const MeshData &mesh = subMesh.mesh;
    const std::uint64_t blockBytes = 8
        + std::uint64_t {mesh.vertices.size()} * MeshData::vertexBytes
        + std::uint64_t {mesh.indices.size()} * sizeof(std::uint32_t);
    if (blockBytes > std::numeric_limits<std::uint32_t>::max())
        refuse(index, "the mesh does not fit in a 32-bit block");
    for (const auto &vertex : mesh.vertices) {
        for (const float value : vertex) {
            if (!std::isfinite(value))
                refuse(index, "a vertex holds a number that is not finite");
        }
    }
    if (mesh.indices.size() % 3 != 0)
        refuse(index, "the index count is not a multiple of 3");
    for (const std::uint32_t i : mesh.indices) {
        if (i >= mesh.vertices.size())
            refuse(index, "index " + std::to_string(i) + " is past the vertex count");
    }
}

void writeName(ByteSink &out, std::string_view name)
{
    out.writeCountedString(name);
}

void writeExtended(ByteSink &out, std::string_view name, double value)
{
    writeName(out, name);
    out.writeU8(sf::Float80);
    const Extended80 bytes = doubleToExtended(value);
    out.writeBytes(bytes.data(), bytes.size());
}

void writeBoolean(ByteSink &out, std::string_view name, bool value)
{
    writeName(out, name);
    out.writeU8(value ? sf::True : sf::False);
}

void writeMesh(ByteSink &out, const MeshData &mesh)
{
    const auto blockBytes =
        static_cast<std::uint32_t>(8 + mesh.vertices.size() * MeshData::vertexBytes
                                   + mesh.indices.size() * sizeof(std::uint32_t));
    writeName(out, "Data.Mesh");
    out.writeU8(sf::Binary);
    out.writeU32(blockBytes);
    out.writeU32(static_cast<std::uint32_t>(mesh.vertices.size()));
    for (const auto &vertex : mesh.vertices) {
        for (const float value : vertex)
            out.writeF32(value);
    }
    out.writeU32(static_cast<std::uint32_t>(mesh.indices.size()));
    for (const std::uint32_t i : mesh.indices)
        out.writeU32(i);
}

void writeRecord(ByteSink &out, const SubMesh &subMesh)
{
    out.writeBytes(reinterpret_cast<const std::uint8_t *>(sf::signature.data()),
                   sf::signature.size());
    out.writeCountedString(sf::className);
    out.writeCountedString({});

    // A coordinate at its default is not stored; only a positive zero is the default (a
    // negative zero is kept so that it reads back bit for bit).
    const auto writePosition = [&](std::string_view name, double value) {
        if (std::bit_cast<std::uint64_t>(value) != 0)
            writeExtended(out, name, value);
    };
    writePosition("Position.X", subMesh.position.x);
    writePosition("Position.Y", subMesh.position.y);
    writePosition("Position.Z", subMesh.position.z);
    writeBoolean(out, "Locked", subMesh.locked);
    writeExtended(out, "Width", subMesh.size.x);
    writeExtended(out, "Height", subMesh.size.y);
    writeExtended(out, "Depth", subMesh.size.z);
    writeBoolean(out, "HitTest", subMesh.hitTest);
    if (subMesh.materialSource) {
        writeName(out, "MaterialSource");
        out.writeU8(sf::Identifier);
        out.writeCountedString(*subMesh.materialSource);
    }
    writeMesh(out, subMesh.mesh);
    out.writeU8(sf::Null); // end of properties
    out.writeU8(sf::Null); // no children
}

} // namespace

std::vector<std::uint8_t> writeModelGeometry(const ModelGeometry &geometry)
{
    if (geometry.subMeshes.size() > std::numeric_limits<std::uint16_t>::max())
        throw std::invalid_argument("more sub-meshes than a 16-bit count holds");
    std::size_t total = 2;
    for (std::size_t i = 0; i < geometry.subMeshes.size(); ++i) {
        const SubMesh &subMesh = geometry.subMeshes[i];
        checkSubMesh(i, subMesh);
        total += 256 + subMesh.mesh.vertices.size() * MeshData::vertexBytes
            + subMesh.mesh.indices.size() * sizeof(std::uint32_t);
    }

    ByteSink out;
    out.reserve(total);
    out.writeU16(static_cast<std::uint16_t>(geometry.subMeshes.size()));
    for (const SubMesh &subMesh : geometry.subMeshes)
        writeRecord(out, subMesh);
    return out.take();
}

} // namespace scene
