// SPDX-License-Identifier: GPL-3.0-or-later
#include "meshreader.h"

#include "bytecursor.h"
#include "extended80.h"
#include "streamformat.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace scene {

namespace sf = streamformat;

namespace {

enum class Property {
    PositionX,
    PositionY,
    PositionZ,
    Locked,
    Width,
    Height,
    Depth,
    HitTest,
    MaterialSource,
    DataMesh,
    Count
};

struct PropertyInfo
{
    std::string_view name;
    bool required;
};

constexpr std::array<PropertyInfo, static_cast<std::size_t>(Property::Count)> properties {{
    {"Position.X", false},
    {"Position.Y", false},
    {"Position.Z", false},
    {"Locked", true},
    {"Width", true},
    {"Height", true},
    {"Depth", true},
    {"HitTest", true},
    {"MaterialSource", false},
    {"Data.Mesh", true},
}};

constexpr std::array<std::string_view, MeshData::floatsPerVertex> slotNames {
    "position x", "position y", "position z", "normal x",   "normal y",  "normal z",  "texture u",
    "texture v",  "binormal x", "binormal y", "binormal z", "tangent x", "tangent y", "tangent z",
};

std::string bytesText(std::size_t count)
{
    return std::to_string(count) + (count == 1 ? " byte" : " bytes");
}

std::string quoted(std::string_view text)
{
    return "'" + sf::printable(text) + "'";
}

class GeometryParser
{
public:
    explicit GeometryParser(std::span<const std::uint8_t> bytes) : m_in(bytes, 0, "the data") { }

    ModelGeometry parse()
    {
        ModelGeometry geometry;
        const unsigned count = m_in.readU16("the sub-mesh count");
        // No reserve: the count is not trusted until the records are there.
        for (unsigned i = 0; i < count; ++i)
            geometry.subMeshes.push_back(parseRecord(i));
        if (m_in.remaining() != 0)
            m_in.fail(m_in.offset(),
                      bytesText(m_in.remaining()) + " of trailing data after the last sub-mesh");
        return geometry;
    }

private:
    SubMesh parseRecord(unsigned index)
    {
        const std::string record = "sub-mesh " + std::to_string(index);

        std::size_t at = m_in.offset();
        const auto signature = m_in.readBytes(sf::signature.size(), "the signature of " + record);
        if (!std::equal(signature.begin(), signature.end(), sf::signature.begin()))
            m_in.fail(
                at,
                record + " does not start with the signature \"TPF0\" (found "
                    + quoted({reinterpret_cast<const char *>(signature.data()), signature.size()})
                    + ")");

        at = m_in.offset();
        const std::string className = m_in.readCountedString("the class name of " + record);
        if (className != sf::className)
            m_in.fail(at, record + " is of class " + quoted(className) + ", expected TMesh");

        at = m_in.offset();
        const std::string objectName = m_in.readCountedString("the object name of " + record);
        if (!objectName.empty())
            m_in.fail(at,
                      record + " has the object name " + quoted(objectName) + ", expected none");

        SubMesh subMesh;
        std::array<bool, properties.size()> seen {};
        for (;;) {
            at = m_in.offset();
            const std::string name = m_in.readCountedString("a property name of " + record);
            if (name.empty())
                break;
            const auto found = std::find_if(properties.begin(), properties.end(),
                                            [&](const PropertyInfo &p) { return p.name == name; });
            if (found == properties.end())
                m_in.fail(at, "unknown property " + quoted(name) + " in " + record);
            const auto which = static_cast<std::size_t>(found - properties.begin());
            if (seen[which])
                m_in.fail(at, "property " + name + " appears twice in " + record);
            seen[which] = true;
            readValue(static_cast<Property>(which), name, subMesh);
        }
        for (std::size_t i = 0; i < properties.size(); ++i) {
            if (properties[i].required && !seen[i])
                m_in.fail(at, record + " lacks the property " + std::string(properties[i].name));
        }

        at = m_in.offset();
        const auto children = m_in.readU8("the child list of " + record);
        if (children != sf::Null)
            m_in.fail(at,
                      record + " has children (list starts with value type "
                          + sf::valueTypeName(children) + "), expected none");
        return subMesh;
    }

    std::uint8_t expectType(const std::string &name, std::initializer_list<std::uint8_t> allowed,
                            std::string_view expected)
    {
        const std::size_t at = m_in.offset();
        const auto tag = m_in.readU8("the value type of " + name);
        if (std::find(allowed.begin(), allowed.end(), tag) == allowed.end())
            m_in.fail(at,
                      name + " holds a value of type " + sf::valueTypeName(tag) + ", expected "
                          + std::string(expected));
        return tag;
    }

    double readExtended(const std::string &name)
    {
        expectType(name, {sf::Float80}, "extended (5)");
        const std::size_t at = m_in.offset();
        const auto raw = m_in.readBytes(sf::extendedBytes, "the value of " + name);
        Extended80 bytes {};
        std::copy(raw.begin(), raw.end(), bytes.begin());
        const auto value = extendedToDouble(bytes);
        if (!value)
            m_in.fail(at, name + " holds an invalid 80-bit number (unnormal)");
        if (!std::isfinite(*value))
            m_in.fail(at, name + " is not a finite number (or exceeds the double range)");
        return *value;
    }

    double readExtent(const std::string &name)
    {
        const std::size_t at = m_in.offset() + 1;
        const double value = readExtended(name);
        if (value < 0)
            m_in.fail(at, name + " is negative (" + std::to_string(value) + ")");
        return value;
    }

    bool readBoolean(const std::string &name)
    {
        return expectType(name, {sf::False, sf::True}, "false (8) or true (9)") == sf::True;
    }

    void readValue(Property property, const std::string &name, SubMesh &subMesh)
    {
        switch (property) {
        case Property::PositionX:
            subMesh.position.x = readExtended(name);
            break;
        case Property::PositionY:
            subMesh.position.y = readExtended(name);
            break;
        case Property::PositionZ:
            subMesh.position.z = readExtended(name);
            break;
        case Property::Locked:
            subMesh.locked = readBoolean(name);
            break;
        case Property::Width:
            subMesh.size.x = readExtent(name);
            break;
        case Property::Height:
            subMesh.size.y = readExtent(name);
            break;
        case Property::Depth:
            subMesh.size.z = readExtent(name);
            break;
        case Property::HitTest:
            subMesh.hitTest = readBoolean(name);
            break;
        case Property::MaterialSource: {
            expectType(name, {sf::Identifier}, "identifier (7)");
            const std::size_t at = m_in.offset();
            std::string text = m_in.readCountedString("the value of " + name);
            if (!sf::isIdentifier(text))
                m_in.fail(at, name + " " + quoted(text) + " is not an identifier");
            subMesh.materialSource = std::move(text);
            break;
        }
        case Property::DataMesh: {
            expectType(name, {sf::Binary}, "binary (10)");
            const std::size_t at = m_in.offset();
            const std::uint32_t length = m_in.readU32("the length of " + name);
            if (length > m_in.remaining())
                m_in.fail(at,
                          name + " claims " + std::to_string(length) + " bytes but only "
                              + std::to_string(m_in.remaining()) + " are left");
            const std::size_t blockStart = m_in.offset();
            ByteCursor block(m_in.readBytes(length, "the " + name + " block"), blockStart,
                             "the " + name + " block");
            subMesh.mesh = parseMesh(block);
            break;
        }
        case Property::Count:
            break;
        }
    }

    static MeshData parseMesh(ByteCursor &in)
    {
        MeshData mesh;
        std::size_t at = in.offset();
        const std::uint32_t vertexCount = in.readU32("the vertex count");
        if (vertexCount > in.remaining() / MeshData::vertexBytes)
            in.fail(at,
                    "vertex count " + std::to_string(vertexCount) + " needs "
                        + std::to_string(std::uint64_t {vertexCount} * MeshData::vertexBytes)
                        + " bytes but the block has " + std::to_string(in.remaining()) + " left");
        mesh.vertices.resize(vertexCount);
        for (std::uint32_t v = 0; v < vertexCount; ++v) {
            for (std::size_t slot = 0; slot < MeshData::floatsPerVertex; ++slot) {
                at = in.offset();
                const float value = in.readF32("a vertex");
                if (!std::isfinite(value))
                    in.fail(at,
                            "vertex " + std::to_string(v) + ": " + std::string(slotNames[slot])
                                + " is not a finite number");
                mesh.vertices[v][slot] = value;
            }
        }

        at = in.offset();
        const std::uint32_t indexCount = in.readU32("the index count");
        if (indexCount % 3 != 0)
            in.fail(at, "index count " + std::to_string(indexCount) + " is not a multiple of 3");
        if (indexCount > in.remaining() / sizeof(std::uint32_t))
            in.fail(at,
                    "index count " + std::to_string(indexCount) + " needs "
                        + std::to_string(std::uint64_t {indexCount} * sizeof(std::uint32_t))
                        + " bytes but the block has " + std::to_string(in.remaining()) + " left");
        mesh.indices.resize(indexCount);
        for (std::uint32_t i = 0; i < indexCount; ++i) {
            at = in.offset();
            const std::uint32_t index = in.readU32("an index");
            if (index >= vertexCount)
                in.fail(at,
                        "index " + std::to_string(index) + " is past the vertex count "
                            + std::to_string(vertexCount));
            mesh.indices[i] = index;
        }
        if (in.remaining() != 0)
            in.fail(in.offset(),
                    bytesText(in.remaining()) + " left over in the block after the indices");
        return mesh;
    }

    ByteCursor m_in;
};

} // namespace

ModelGeometry readModelGeometry(std::span<const std::uint8_t> bytes)
{
    return GeometryParser(bytes).parse();
}

} // namespace scene
