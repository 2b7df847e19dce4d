// SPDX-License-Identifier: GPL-3.0-or-later
// The models the program carries, and where the scene draws them.
#include "scene/modelplacement.h"
#include "storage/meshreader.h"

#include <QDirIterator>
#include <QTest>

namespace {

QVector3D at(const scene::MeshData::Vertex &v, std::size_t slot)
{
    return QVector3D(v[slot], v[slot + 1], v[slot + 2]);
}

} // namespace

class tst_ShippedModels : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyModelIsWoundOutwardsAndDrawnInTheMiddleOfItsBox();
};

// Every sub-mesh's normals are of unit length and agree with the winding of its triangles. Placed
// in a box, the whole model fills it on its fullest axis, centred: the letters S and N stand off
// their centre in their file.
void tst_ShippedModels::everyModelIsWoundOutwardsAndDrawnInTheMiddleOfItsBox()
{
    int models = 0;
    for (QDirIterator it(QStringLiteral(":/models")); it.hasNext(); ++models) {
        QFile file(it.next());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const scene::ModelGeometry geometry = scene::readModelGeometry(
            {reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size())});
        const QByteArray fileName = file.fileName().toUtf8();
        const char *name = fileName.constData();
        const QVector3D box(10, 20, 30);
        const auto placement = scene::ModelPlacement::of(geometry, box);
        QVector3D low(1e9f, 1e9f, 1e9f), high = -low; // of the model as drawn
        QVector3D fileLow = low, fileHigh = high; // as its file has it
        for (std::size_t s = 0; s < geometry.subMeshes.size(); ++s) {
            const scene::MeshData &mesh = geometry.subMeshes[s].mesh;
            for (const auto &v : mesh.vertices) {
                const QVector3D p = placement.model.apply(placement.subMeshes[s].apply(at(v, 0)));
                for (int i = 0; i < 3; ++i) {
                    fileLow[i] = std::min(fileLow[i], v[i]),
                    fileHigh[i] = std::max(fileHigh[i], v[i]);
                    low[i] = std::min(low[i], p[i]), high[i] = std::max(high[i], p[i]);
                }
                QVERIFY2(qAbs(at(v, 3).length() - 1) < 1e-5f, name);
            }
            double volume = 0; // positive: counter-clockwise seen from outside
            for (std::size_t t = 0; t + 2 < mesh.indices.size(); t += 3) {
                const QVector3D a = at(mesh.vertices.at(mesh.indices[t]), 0),
                                b = at(mesh.vertices.at(mesh.indices[t + 1]), 0),
                                c = at(mesh.vertices.at(mesh.indices[t + 2]), 0);
                volume += QVector3D::dotProduct(a, QVector3D::crossProduct(b, c)) / 6.0;
                const QVector3D face = QVector3D::crossProduct(b - a, c - a);
                QVERIFY2(face.length()
                                 < 1e-6f * (1 + (b - a).lengthSquared() + (c - a).lengthSquared())
                             || QVector3D::dotProduct(face.normalized(),
                                                      at(mesh.vertices[mesh.indices[t]], 3))
                                 > 0.3f,
                         name);
            }
            QVERIFY2(volume > 0, name);
        }
        const QVector3D fill = (high - low) / box;
        QVERIFY2((high + low).length() < 1e-3f * box.length(), name);
        QVERIFY2(qFuzzyCompare(std::max({fill.x(), fill.y(), fill.z()}), 1.0f), name);
        // One scale on every axis: the model keeps the proportions of its file.
        const QVector3D scale = (high - low) / (fileHigh - fileLow);
        for (int axis = 1; axis < 3; ++axis)
            QVERIFY2(qAbs(scale[axis] / scale[0] - 1.0f) < 1e-4f, name);
    }
    QCOMPARE(models, 10);
}

QTEST_APPLESS_MAIN(tst_ShippedModels)
#include "tst_shippedmodels.moc"
