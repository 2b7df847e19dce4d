// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/meshreader.h"

#include <QFile>
#include <QImage>
#include <QTest>
#include <QVector3D>

#include <array>
#include <cmath>
#include <map>
#include <optional>

namespace {

struct Expected
{
    QVector3D size;
    std::optional<QVector3D> centre; ///< only where the table gives one
    QString material; ///< empty: the geometry names none
};

using ExpectedSubMeshes = QList<Expected>;

bool within(double actual, double expected, double tolerance)
{
    return std::abs(actual - expected) <= tolerance;
}

QVector3D slot3(const scene::MeshData::Vertex &v, std::size_t slot)
{
    return QVector3D(v[slot], v[slot + 1], v[slot + 2]);
}

using PositionKey = std::array<float, 3>;

PositionKey keyOf(const scene::MeshData::Vertex &v)
{
    return {v[0], v[1], v[2]};
}

} // namespace

Q_DECLARE_METATYPE(ExpectedSubMeshes)

class TestShippedModels : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void matchesTheModelTable_data();
    void matchesTheModelTable();
    void statorTexture();
};

// Rows typed from the model table: sub-meshes, extents, centres where given, materials named in
// the geometry, and whether texture coordinates are present.
void TestShippedModels::matchesTheModelTable_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<ExpectedSubMeshes>("subMeshes");
    QTest::addColumn<bool>("textured");

    const QVector3D origin(0, 0, 0);
    QTest::newRow("rotor") << "rotor" << ExpectedSubMeshes {{{2.126f, 1.181f, 0.787f}, origin, {}}}
                           << true;
    QTest::newRow("lettre") << "lettre"
                            << ExpectedSubMeshes {{{6.223f, 7.903f, 23},
                                                   QVector3D(-16.341f, 3.853f, 0),
                                                   "Form2.lettreMat02"},
                                                  {{6.125f, 7.705f, 23},
                                                   QVector3D(13.995f, 3.853f, 0),
                                                   "Form2.lettreMat11"}}
                            << false;
    QTest::newRow("stator") << "stator"
                            << ExpectedSubMeshes {{{3.937f, 0.787f, 3.937f}, origin, {}}} << true;
    QTest::newRow("bobine") << "bobine"
                            << ExpectedSubMeshes {{{114.75f, 27, 27}, {}, "Form2.bobineMat02"}}
                            << false;
    QTest::newRow("bobine2") << "bobine2"
                             << ExpectedSubMeshes {{{114.75f, 27, 27}, {}, "Form2.bobine2Mat01"}}
                             << false;
    QTest::newRow("textebobine1") << "textebobine1"
                                  << ExpectedSubMeshes {{{155.4f, 10.5f, 33.3f}, {}, {}}} << false;
    QTest::newRow("textebobine2") << "textebobine2"
                                  << ExpectedSubMeshes {{{156.85f, 10.5f, 33.3f}, {}, {}}} << false;
    QTest::newRow("textebobine3") << "textebobine3"
                                  << ExpectedSubMeshes {{{156.35f, 10.5f, 33.3f}, {}, {}}} << false;
    QTest::newRow("textebobine4") << "textebobine4"
                                  << ExpectedSubMeshes {{{157.7f, 10.5f, 33.3f}, {}, {}}} << false;
    QTest::newRow("axe") << "axe" << ExpectedSubMeshes {{{140, 140, 120}, {}, {}}} << true;
}

void TestShippedModels::matchesTheModelTable()
{
    QFETCH(QString, name);
    QFETCH(ExpectedSubMeshes, subMeshes);
    QFETCH(bool, textured);

    QFile file(QStringLiteral(":/models/%1.mesh").arg(name));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QByteArray bytes = file.readAll();
    const scene::ModelGeometry geometry = scene::readModelGeometry(
        {reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size())});

    QCOMPARE(geometry.subMeshes.size(), std::size_t(subMeshes.size()));
    for (qsizetype s = 0; s < subMeshes.size(); ++s) {
        const scene::SubMesh &subMesh = geometry.subMeshes[std::size_t(s)];
        const Expected &expected = subMeshes[s];
        const double box[3] = {subMesh.size.x, subMesh.size.y, subMesh.size.z};
        const double centre[3] = {subMesh.position.x, subMesh.position.y, subMesh.position.z};

        QVERIFY(subMesh.locked);
        QVERIFY(!subMesh.hitTest);
        QCOMPARE(QString::fromStdString(subMesh.materialSource.value_or("")), expected.material);
        for (int axis = 0; axis < 3; ++axis) {
            QVERIFY2(within(box[axis], expected.size[axis], 0.01 * expected.size[axis]),
                     qPrintable(QStringLiteral("extent %1 is %2").arg(axis).arg(box[axis])));
            if (expected.centre)
                QVERIFY(within(centre[axis], (*expected.centre)[axis], 0.01 * expected.size[axis]));
        }

        // The stored box is the box of the vertices, in the model's frame.
        const scene::MeshData &mesh = subMesh.mesh;
        QVERIFY(!mesh.vertices.empty());
        QVector3D low = slot3(mesh.vertices.front(), 0);
        QVector3D high = low;
        bool hasTexCoords = false;
        for (const auto &v : mesh.vertices) {
            const QVector3D p = slot3(v, 0);
            for (int axis = 0; axis < 3; ++axis) {
                low[axis] = std::min(low[axis], p[axis]);
                high[axis] = std::max(high[axis], p[axis]);
            }
            const float normalLength = slot3(v, 3).length();
            QVERIFY2(within(normalLength, 1.0, 1e-5), qPrintable(QString::number(normalLength)));
            hasTexCoords = hasTexCoords || v[6] != 0.0f || v[7] != 0.0f;
        }
        QCOMPARE(hasTexCoords, textured);
        for (int axis = 0; axis < 3; ++axis) {
            QVERIFY(within(high[axis] - low[axis], box[axis], 1e-4 * (1 + box[axis])));
            QVERIFY(within((high[axis] + low[axis]) / 2, centre[axis], 1e-4 * (1 + box[axis])));
        }

        // Every triangle: indices in range, winding that agrees with the normals; and the
        // surface closed, each edge met once in each direction, enclosing a positive volume
        // (counter-clockwise seen from outside).
        QCOMPARE(mesh.indices.size() % 3, 0u);
        std::map<std::pair<PositionKey, PositionKey>, int> edges;
        double volume = 0;
        for (std::size_t t = 0; t < mesh.indices.size(); t += 3) {
            std::array<const scene::MeshData::Vertex *, 3> corner {};
            for (int k = 0; k < 3; ++k) {
                QVERIFY(mesh.indices[t + k] < mesh.vertices.size());
                corner[k] = &mesh.vertices[mesh.indices[t + k]];
            }
            const QVector3D a = slot3(*corner[0], 0);
            const QVector3D b = slot3(*corner[1], 0);
            const QVector3D c = slot3(*corner[2], 0);
            volume += QVector3D::dotProduct(a, QVector3D::crossProduct(b, c)) / 6.0;
            const QVector3D face = QVector3D::crossProduct(b - a, c - a);
            if (face.length() > 1e-6f * (1 + (b - a).lengthSquared() + (c - a).lengthSquared())) {
                for (const auto *v : corner) {
                    QVERIFY2(QVector3D::dotProduct(face.normalized(), slot3(*v, 3)) > 0.3f,
                             qPrintable(QStringLiteral("triangle %1").arg(t / 3)));
                }
            }
            for (int k = 0; k < 3; ++k)
                ++edges[{keyOf(*corner[k]), keyOf(*corner[(k + 1) % 3])}];
        }
        for (const auto &[edge, count] : edges) {
            const auto reverse = edges.find({edge.second, edge.first});
            QVERIFY2(reverse != edges.end() && reverse->second == count,
                     "an edge without its opposite: the surface is open or flipped");
        }
        QVERIFY2(volume > 0, qPrintable(QString::number(volume)));
    }
}

void TestShippedModels::statorTexture()
{
    QFile file(QStringLiteral(":/textures/stator.png"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray png = file.readAll();
    // PNG color type 6 (RGBA, 8 bits) in the header chunk.
    QCOMPARE(png.mid(24, 2), QByteArray("\x08\x06", 2));
    QImage image;
    QVERIFY(image.loadFromData(png, "PNG"));
    QCOMPARE(image.size(), QSize(512, 512));
    QVERIFY(image.hasAlphaChannel());
    // Copper: red over green over blue on average.
    double red = 0, green = 0, blue = 0;
    for (int y = 0; y < image.height(); y += 8) {
        for (int x = 0; x < image.width(); x += 8) {
            const QRgb pixel = image.pixel(x, y);
            red += qRed(pixel);
            green += qGreen(pixel);
            blue += qBlue(pixel);
        }
    }
    QVERIFY(red > green && green > blue);
}

QTEST_MAIN(TestShippedModels)
#include "tst_shippedmodels.moc"
