// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scene/modelplacement.h"

#include <QQuick3DGeometry>
#include <QStringList>
#include <QUrl>
#include <QVector3D>
#include <QtQmlIntegration>

namespace scene {

/// The geometry of a stored model file (`source`), drawn in a box of `box` (width, height,
/// depth) as ModelPlacement places it. Each stored sub-mesh is one subset, in the file's order,
/// so that a model drawn with it takes one material per sub-mesh. The vertices are handed to the
/// renderer as they are stored (56 bytes, the position at 0, the normal at 12, the texture
/// coordinates at 24, 32-bit indices), moved to their place in the box.
///
/// The file is read when the scene description is complete and again when the source or the
/// box changes afterwards. A file that cannot be read leaves the geometry empty and says why in
/// errorString().
class MeshGeometry : public QQuick3DGeometry
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QUrl source READ source WRITE setSource NOTIFY sourceChanged)
    Q_PROPERTY(QVector3D box READ box WRITE setBox NOTIFY boxChanged)
    /// Each stored sub-mesh drawn as two: its triangles on the + side of the plane X = 0 of the
    /// stored geometry's frame, then those on the - side. A model holding two parts that face
    /// each other across that plane can so give each part a material of its own.
    Q_PROPERTY(bool splitAcrossX READ splitAcrossX WRITE setSplitAcrossX NOTIFY splitAcrossXChanged)
    /// Where the model's own units lie in the box: a point p of the stored geometry's frame is
    /// drawn at p * fitScale + fitOffset.
    Q_PROPERTY(QVector3D fitScale READ fitScale NOTIFY fitChanged)
    Q_PROPERTY(QVector3D fitOffset READ fitOffset NOTIFY fitChanged)

public:
    explicit MeshGeometry(QQuick3DObject *parent = nullptr);

    QUrl source() const { return m_source; }
    void setSource(const QUrl &source);

    QVector3D box() const { return m_box; }
    void setBox(const QVector3D &box);

    bool splitAcrossX() const { return m_splitAcrossX; }
    void setSplitAcrossX(bool split);

    QVector3D fitScale() const { return m_fit.scale; }
    QVector3D fitOffset() const { return m_fit.offset; }

    /// The material each stored sub-mesh names ("Form2.lettreMat11"), in the file's order (twice
    /// over for a split sub-mesh, once for each side); an empty string for a sub-mesh that names
    /// none.
    QStringList storedMaterials() const { return m_storedMaterials; }

    /// Why the source could not be read; empty when it was.
    QString errorString() const { return m_error; }

Q_SIGNALS:
    void sourceChanged();
    void boxChanged();
    void splitAcrossXChanged();
    void fitChanged();

protected:
    void componentComplete() override;

private:
    void load();
    void build(const ModelGeometry &geometry);

    QUrl m_source;
    QVector3D m_box {1, 1, 1};
    bool m_splitAcrossX = false;
    AxisFit m_fit;
    QStringList m_storedMaterials;
    QString m_error;
    bool m_complete = false;
};

} // namespace scene
