// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue.h"
#include "storage/meshreader.h"
#include "storage/meshwriter.h"
#include "streambuilder.h"

#include <QTest>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <stdexcept>

namespace {

QByteArray toBytes(const std::vector<std::uint8_t> &bytes)
{
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
}

scene::ModelGeometry read(const std::vector<std::uint8_t> &bytes)
{
    return scene::readModelGeometry(bytes);
}

// Value equality lets 0.0 and -0.0 pass; the stored bits must survive too.
bool sameBits(const scene::MeshData &a, const scene::MeshData &b)
{
    return a.vertices.size() == b.vertices.size()
        && std::memcmp(a.vertices.data(), b.vertices.data(),
                       a.vertices.size() * sizeof(scene::MeshData::Vertex))
        == 0;
}

scene::SubMesh smallSubMesh()
{
    scene::SubMesh subMesh;
    subMesh.position = {1.5, 0.0, -2.0};
    subMesh.size = {2.0, 4.0, 0.0};
    subMesh.materialSource = "Form2.bobineMat02";
    for (int v = 0; v < 3; ++v) {
        scene::MeshData::Vertex vertex {};
        vertex[0] = float(v);
        vertex[5] = 1.0f;
        vertex[6] = 0.5f * v;
        subMesh.mesh.vertices.push_back(vertex);
    }
    subMesh.mesh.indices = {0, 1, 2};
    return subMesh;
}

} // namespace

using SubMeshChange = std::function<void(scene::SubMesh &)>;
Q_DECLARE_METATYPE(SubMeshChange)

class TestMeshWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void generatedModelsRoundTrip_data();
    void generatedModelsRoundTrip();
    void writesTheDocumentedLayout();
    void keepsNegativeZeroPosition();
    void refusesWhatTheReaderWouldRefuse_data();
    void refusesWhatTheReaderWouldRefuse();

private:
    std::vector<meshgen::NamedModel> m_models;
};

void TestMeshWriter::initTestCase()
{
    m_models = meshgen::buildCatalogue(QStringLiteral(MESHGEN_DEFAULT_FONT));
    QCOMPARE(m_models.size(), 10u);
}

void TestMeshWriter::generatedModelsRoundTrip_data()
{
    QTest::addColumn<int>("model");
    for (std::size_t i = 0; i < m_models.size(); ++i)
        QTest::newRow(qPrintable(m_models[i].name)) << int(i);
}

void TestMeshWriter::generatedModelsRoundTrip()
{
    QFETCH(int, model);
    const scene::ModelGeometry &original = m_models[std::size_t(model)].geometry;

    const std::vector<std::uint8_t> first = scene::writeModelGeometry(original);
    const scene::ModelGeometry back = read(first);
    QVERIFY(back == original);
    for (std::size_t i = 0; i < back.subMeshes.size(); ++i)
        QVERIFY(sameBits(back.subMeshes[i].mesh, original.subMeshes[i].mesh));
    QVERIFY(scene::writeModelGeometry(back) == first);
}

void TestMeshWriter::writesTheDocumentedLayout()
{
    const scene::SubMesh subMesh = smallSubMesh();

    StreamBuilder block;
    block.u32(3);
    for (const auto &vertex : subMesh.mesh.vertices) {
        for (const float value : vertex)
            block.f32(value);
    }
    block.u32(3).u32(0).u32(1).u32(2);
    StreamBuilder expected;
    expected.u16(1)
        .raw("TPF0")
        .text("TMesh")
        .text("")
        .extendedProperty("Position.X", 1.5) // Position.Y is zero: left out
        .extendedProperty("Position.Z", -2.0)
        .booleanProperty("Locked", true)
        .extendedProperty("Width", 2.0)
        .extendedProperty("Height", 4.0)
        .extendedProperty("Depth", 0.0)
        .booleanProperty("HitTest", false)
        .text("MaterialSource")
        .u8(7)
        .text("Form2.bobineMat02")
        .meshProperty(block.bytes())
        .recordEnd();

    QCOMPARE(toBytes(scene::writeModelGeometry({{subMesh}})).toHex(' '),
             expected.bytes().toHex(' '));
}

void TestMeshWriter::keepsNegativeZeroPosition()
{
    scene::SubMesh subMesh = smallSubMesh();
    subMesh.position = {-0.0, 0.0, 0.0};
    const auto bytes = scene::writeModelGeometry({{subMesh}});
    QVERIFY(toBytes(bytes).contains("Position.X"));
    QVERIFY(!toBytes(bytes).contains("Position.Y"));
    QVERIFY(std::signbit(read(bytes).subMeshes.front().position.x));
}

void TestMeshWriter::refusesWhatTheReaderWouldRefuse_data()
{
    using Change = SubMeshChange;
    QTest::addColumn<Change>("change");

    const float nan = std::numeric_limits<float>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("NaN in a vertex")
        << Change([=](scene::SubMesh &s) { s.mesh.vertices[1][4] = nan; });
    QTest::newRow("infinite binormal")
        << Change([=](scene::SubMesh &s) { s.mesh.vertices[0][9] = float(inf); });
    QTest::newRow("index at the vertex count")
        << Change([](scene::SubMesh &s) { s.mesh.indices[2] = 3; });
    QTest::newRow("index count not a multiple of 3")
        << Change([](scene::SubMesh &s) { s.mesh.indices.push_back(0); });
    QTest::newRow("infinite position") << Change([=](scene::SubMesh &s) { s.position.y = inf; });
    QTest::newRow("negative depth") << Change([](scene::SubMesh &s) { s.size.z = -1.0; });
    QTest::newRow("material with a space")
        << Change([](scene::SubMesh &s) { s.materialSource = "Form2 lettre"; });
    QTest::newRow("empty material") << Change([](scene::SubMesh &s) { s.materialSource = ""; });
    QTest::newRow("material longer than 255 bytes")
        << Change([](scene::SubMesh &s) { s.materialSource = std::string(256, 'm'); });
}

void TestMeshWriter::refusesWhatTheReaderWouldRefuse()
{
    QFETCH(SubMeshChange, change);

    scene::SubMesh subMesh = smallSubMesh();
    QVERIFY(!scene::writeModelGeometry({{subMesh}}).empty());
    change(subMesh);
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, scene::writeModelGeometry({{subMesh}}));
}

QTEST_MAIN(TestMeshWriter)
#include "tst_meshwriter.moc"
