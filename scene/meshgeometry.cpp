// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/meshgeometry.h"

#include "scene/storage/meshreader.h"
#include "scene/storage/storageerror.h"

#include <QByteArray>
#include <QFile>
#include <QQmlFile>

#include <cmath>
#include <cstring>
#include <limits>
#include <span>
#include <vector>

namespace scene {

namespace {

struct Bounds
{
    QVector3D low {std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
                   std::numeric_limits<float>::max()};
    QVector3D high {-std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(),
                    -std::numeric_limits<float>::max()};

    void take(const QVector3D &p)
    {
        for (int axis = 0; axis < 3; ++axis) {
            low[axis] = std::min(low[axis], p[axis]);
            high[axis] = std::max(high[axis], p[axis]);
        }
    }
    bool isEmpty() const { return low.x() > high.x(); }
};

// A normal stays square to its surface under a stretch by `scale` when it is divided by it,
// axis by axis; an axis squashed flat keeps its component.
QVector3D stretchedNormal(const QVector3D &normal, const QVector3D &scale)
{
    QVector3D n;
    for (int axis = 0; axis < 3; ++axis)
        n[axis] = scale[axis] != 0.0f ? normal[axis] / scale[axis] : normal[axis];
    return n.normalized();
}

} // namespace

MeshGeometry::MeshGeometry(QQuick3DObject *parent) : QQuick3DGeometry(parent) { }

void MeshGeometry::setSource(const QUrl &source)
{
    if (source == m_source)
        return;
    m_source = source;
    Q_EMIT sourceChanged();
    if (m_complete)
        load();
}

void MeshGeometry::setBox(const QVector3D &box)
{
    if (box == m_box)
        return;
    m_box = box;
    Q_EMIT boxChanged();
    if (m_complete)
        load();
}

void MeshGeometry::setSplitAcrossX(bool split)
{
    if (split == m_splitAcrossX)
        return;
    m_splitAcrossX = split;
    Q_EMIT splitAcrossXChanged();
    if (m_complete)
        load();
}

void MeshGeometry::componentComplete()
{
    QQuick3DGeometry::componentComplete();
    m_complete = true;
    load();
}

void MeshGeometry::load()
{
    m_error.clear();
    m_storedMaterials.clear();
    clear();
    if (m_source.isEmpty()) {
        update();
        return;
    }
    const QString path = QQmlFile::urlToLocalFileOrQrc(m_source);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = tr("Impossible de lire %1 : %2").arg(m_source.toString(), file.errorString());
        update();
        return;
    }
    const QByteArray bytes = file.readAll();
    try {
        build(readModelGeometry(std::span(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                                          std::size_t(bytes.size()))));
    } catch (const StorageError &error) {
        m_error =
            QStringLiteral("%1 : %2").arg(m_source.toString(), QString::fromUtf8(error.what()));
        clear();
    }
    update();
}

void MeshGeometry::build(const ModelGeometry &geometry)
{
    static_assert(sizeof(MeshData::Vertex) == MeshData::vertexBytes);
    const ModelPlacement placement = ModelPlacement::of(geometry, m_box);
    if (placement.model.scale != m_fit.scale || placement.model.offset != m_fit.offset) {
        m_fit = placement.model;
        Q_EMIT fitChanged();
    }

    std::size_t vertexCount = 0;
    std::size_t indexCount = 0;
    for (const SubMesh &subMesh : geometry.subMeshes) {
        vertexCount += subMesh.mesh.vertices.size();
        indexCount += subMesh.mesh.indices.size();
    }
    QByteArray vertices(qsizetype(vertexCount * MeshData::vertexBytes), Qt::Uninitialized);
    QByteArray indices(qsizetype(indexCount * sizeof(std::uint32_t)), Qt::Uninitialized);
    auto *vertexOut = reinterpret_cast<MeshData::Vertex *>(vertices.data());
    auto *indexOut = reinterpret_cast<std::uint32_t *>(indices.data());

    setStride(int(MeshData::vertexBytes));
    setPrimitiveType(PrimitiveType::Triangles);
    addAttribute(Attribute::PositionSemantic, int(MeshData::positionSlot * sizeof(float)),
                 Attribute::F32Type);
    addAttribute(Attribute::NormalSemantic, int(MeshData::normalSlot * sizeof(float)),
                 Attribute::F32Type);
    addAttribute(Attribute::TexCoord0Semantic, int(MeshData::texCoordSlot * sizeof(float)),
                 Attribute::F32Type);
    addAttribute(Attribute::IndexSemantic, 0, Attribute::U32Type);

    Bounds all;
    std::uint32_t base = 0;
    std::size_t firstIndex = 0;
    for (std::size_t i = 0; i < geometry.subMeshes.size(); ++i) {
        const SubMesh &subMesh = geometry.subMeshes[i];
        const AxisFit &fit = placement.subMeshes[i];
        constexpr std::size_t p = MeshData::positionSlot;
        constexpr std::size_t n = MeshData::normalSlot;
        MeshData::Vertex *const placed = vertexOut;
        for (MeshData::Vertex v : subMesh.mesh.vertices) {
            const QVector3D at =
                placement.model.apply(fit.apply(QVector3D(v[p], v[p + 1], v[p + 2])));
            // The model's own fit is the same factor on every axis: it turns no normal.
            const QVector3D normal =
                stretchedNormal(QVector3D(v[n], v[n + 1], v[n + 2]), fit.scale);
            for (int axis = 0; axis < 3; ++axis) {
                v[p + std::size_t(axis)] = at[axis];
                v[n + std::size_t(axis)] = normal[axis];
            }
            *vertexOut++ = v;
        }

        // The triangles of each subset, in their stored order; a split sub-mesh sorts them by
        // the side of X = 0 their stored centre lies on.
        const std::vector<std::uint32_t> &stored = subMesh.mesh.indices;
        std::vector<std::vector<std::uint32_t>> sides(m_splitAcrossX ? 2 : 1);
        for (std::size_t t = 0; t + 2 < stored.size(); t += 3) {
            float x = 0.0f;
            for (std::size_t corner = 0; corner < 3; ++corner)
                x += subMesh.mesh.vertices.at(stored[t + corner])[p];
            std::vector<std::uint32_t> &side = sides[m_splitAcrossX && x < 0.0f ? 1 : 0];
            side.insert(side.end(), stored.begin() + std::ptrdiff_t(t),
                        stored.begin() + std::ptrdiff_t(t + 3));
        }
        for (const std::vector<std::uint32_t> &side : sides) {
            Bounds own;
            for (std::uint32_t index : side) {
                *indexOut++ = base + index;
                const MeshData::Vertex &v = placed[index];
                own.take(QVector3D(v[p], v[p + 1], v[p + 2]));
            }
            if (own.isEmpty()) {
                own.low = own.high = QVector3D();
            } else {
                all.take(own.low);
                all.take(own.high);
            }
            addSubset(int(firstIndex), int(side.size()), own.low, own.high);
            m_storedMaterials.append(subMesh.materialSource
                                         ? QString::fromStdString(*subMesh.materialSource)
                                         : QString());
            firstIndex += side.size();
        }
        base += std::uint32_t(subMesh.mesh.vertices.size());
    }
    setVertexData(vertices);
    setIndexData(indices);
    if (all.isEmpty())
        setBounds(QVector3D(), QVector3D());
    else
        setBounds(all.low, all.high);
}

} // namespace scene
