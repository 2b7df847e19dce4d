// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/extended80.h"
#include "storage/meshreader.h"
#include "storage/storageerror.h"
#include "streambuilder.h"

#include <QTest>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

struct Triangle
{
    float values[3][14];
};

Triangle validTriangle()
{
    Triangle t {};
    for (int v = 0; v < 3; ++v) {
        t.values[v][0] = float(v);
        t.values[v][1] = float(v * v);
        t.values[v][5] = 1.0f; // normal +z
        t.values[v][6] = 0.5f;
        t.values[v][7] = 0.25f * v;
    }
    return t;
}

QByteArray meshBlock(const Triangle &t, const QList<quint32> &indices)
{
    StreamBuilder s;
    s.u32(3);
    for (const auto &vertex : t.values) {
        for (const float value : vertex)
            s.f32(value);
    }
    s.u32(quint32(indices.size()));
    for (const quint32 i : indices)
        s.u32(i);
    return s.bytes();
}

// Offset of slot `slot` of vertex `vertex` inside a mesh block.
int slotOffset(int vertex, int slot)
{
    return 4 + vertex * 56 + slot * 4;
}

StreamBuilder &leadingProperties(StreamBuilder &s)
{
    return s.extendedProperty("Position.X", 1.5)
        .booleanProperty("Locked", true)
        .extendedProperty("Width", 2.0)
        .extendedProperty("Height", 4.0)
        .extendedProperty("Depth", 0.0)
        .booleanProperty("HitTest", false);
}

// A one-sub-mesh stream that the reader must take; mutations of it make the bad rows.
StreamBuilder validStream()
{
    StreamBuilder s;
    s.u16(1).recordStart();
    leadingProperties(s).meshProperty(meshBlock(validTriangle(), {0, 1, 2})).recordEnd();
    return s;
}

scene::ModelGeometry read(const QByteArray &bytes)
{
    return scene::readModelGeometry(
        {reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size())});
}

QByteArray extendedBytes(const char *hex)
{
    return QByteArray::fromHex(hex);
}

} // namespace

class TestMeshReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsValidStream();
    void readsPropertiesInAnyOrder();
    void readsEmptyModel();
    void refusesBadInput_data();
    void refusesBadInput();
};

void TestMeshReader::readsValidStream()
{
    const scene::ModelGeometry geometry = read(validStream().bytes());
    QCOMPARE(geometry.subMeshes.size(), 1u);
    const scene::SubMesh &subMesh = geometry.subMeshes.front();
    QCOMPARE(subMesh.position, (scene::Vector3 {1.5, 0.0, 0.0}));
    QCOMPARE(subMesh.size, (scene::Vector3 {2.0, 4.0, 0.0}));
    QVERIFY(subMesh.locked);
    QVERIFY(!subMesh.hitTest);
    QVERIFY(!subMesh.materialSource.has_value());
    QCOMPARE(subMesh.mesh.vertices.size(), 3u);
    QCOMPARE(subMesh.mesh.vertices[2][0], 2.0f);
    QCOMPARE(subMesh.mesh.vertices[2][1], 4.0f);
    QCOMPARE(subMesh.mesh.vertices[2][7], 0.5f);
    QCOMPARE(subMesh.mesh.indices, (std::vector<std::uint32_t> {0, 1, 2}));
}

void TestMeshReader::readsPropertiesInAnyOrder()
{
    StreamBuilder s;
    s.u16(2);
    for (int i = 0; i < 2; ++i) {
        s.recordStart()
            .meshProperty(meshBlock(validTriangle(), {2, 1, 0, 0, 1, 2}))
            .text("MaterialSource")
            .u8(7)
            .text("Form2.lettreMat11")
            .booleanProperty("HitTest", true)
            .extendedProperty("Depth", 23.0)
            .extendedProperty("Position.Z", -7.25)
            .extendedProperty("Height", 7.705)
            .extendedProperty("Width", 6.125)
            .booleanProperty("Locked", false)
            .recordEnd();
    }
    const scene::ModelGeometry geometry = read(s.bytes());
    QCOMPARE(geometry.subMeshes.size(), 2u);
    const scene::SubMesh &second = geometry.subMeshes[1];
    QCOMPARE(second.position, (scene::Vector3 {0.0, 0.0, -7.25}));
    QCOMPARE(second.size, (scene::Vector3 {6.125, 7.705, 23.0}));
    QVERIFY(!second.locked);
    QVERIFY(second.hitTest);
    QCOMPARE(second.materialSource.value_or(""), std::string("Form2.lettreMat11"));
    QCOMPARE(second.mesh.indices.size(), 6u);
}

void TestMeshReader::readsEmptyModel()
{
    QVERIFY(read(StreamBuilder().u16(0).bytes()).subMeshes.empty());
}

void TestMeshReader::refusesBadInput_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("reason");

    const auto row = [](const char *name, const StreamBuilder &s, int offset, const char *reason) {
        QTest::newRow(name) << s.bytes() << offset << QString::fromUtf8(reason);
    };
    const QByteArray triangle = meshBlock(validTriangle(), {0, 1, 2});
    const int recordStart = 2;
    const int propertiesStart = recordStart + 4 + 6 + 1;

    // Truncated data.
    row("empty", StreamBuilder(), 0,
        "the data ends inside the sub-mesh count (2 bytes needed, 0 left)");
    row("cut in the signature", StreamBuilder().u16(1).raw("TP"), 2,
        "the data ends inside the signature of sub-mesh 0");
    {
        StreamBuilder s;
        s.u16(1).recordStart().u8(5).raw("Wid");
        row("cut in a property name", s, propertiesStart + 1,
            "the data ends inside a property name of sub-mesh 0 (5 bytes needed, 3 left)");
    }
    {
        StreamBuilder s;
        s.u16(1).recordStart();
        leadingProperties(s).text("Data.Mesh").u8(10);
        const int at = s.size();
        s.u32(200).raw(triangle.left(10));
        row("cut in the mesh block", s, at, "Data.Mesh claims 200 bytes but only 10 are left");
    }
    {
        StreamBuilder s = validStream();
        const QByteArray full = s.bytes();
        row("cut before the child list", StreamBuilder().raw(full.left(full.size() - 1)),
            int(full.size()) - 1, "the data ends inside the child list of sub-mesh 0");
    }
    {
        StreamBuilder s = validStream();
        const int end = s.size();
        QByteArray bytes = s.bytes();
        bytes[0] = char(0xFF);
        bytes[1] = char(0xFF); // 65535 sub-meshes announced, one present
        row("sub-mesh count beyond the records", StreamBuilder().raw(bytes), end,
            "the data ends inside the signature of sub-mesh 1");
    }

    // Wrong signature, class or name.
    row("wrong signature", StreamBuilder().u16(1).raw("TPF1").text("TMesh").text(""), 2,
        "sub-mesh 0 does not start with the signature \"TPF0\" (found 'TPF1')");
    row("wrong class", StreamBuilder().u16(1).raw("TPF0").text("TCube").text(""), 6,
        "sub-mesh 0 is of class 'TCube', expected TMesh");
    row("unprintable class", StreamBuilder().u16(1).raw("TPF0").text("T\x01"), 6,
        "sub-mesh 0 is of class 'T\\x01', expected TMesh");
    row("named object", StreamBuilder().u16(1).raw("TPF0").text("TMesh").text("rotor"), 12,
        "sub-mesh 0 has the object name 'rotor', expected none");

    // Properties of the wrong type, unknown, repeated or missing.
    const struct
    {
        const char *row;
        const char *property;
        int tag;
        const char *reason;
    } wrongTypes[] = {
        {"width as int16", "Width", 3,
         "Width holds a value of type int16 (3), expected extended (5)"},
        {"locked as extended", "Locked", 5,
         "Locked holds a value of type extended (5), expected false (8) or true (9)"},
        {"material as string", "MaterialSource", 6,
         "MaterialSource holds a value of type string (6), expected identifier (7)"},
        {"mesh as UTF-8 string", "Data.Mesh", 20,
         "Data.Mesh holds a value of type UTF-8 string (20), expected binary (10)"},
        {"unknown value type", "Height", 99,
         "Height holds a value of type unknown (99), expected extended (5)"},
        {"null value", "HitTest", 0,
         "HitTest holds a value of type null (0), expected false (8) or true (9)"},
    };
    for (const auto &wrong : wrongTypes) {
        StreamBuilder s;
        s.u16(1).recordStart().text(wrong.property);
        const int at = s.size();
        s.u8(wrong.tag).raw(QByteArray(16, '\0'));
        row(wrong.row, s, at, wrong.reason);
    }
    {
        StreamBuilder s;
        s.u16(1).recordStart().booleanProperty("Locked", true);
        const int at = s.size();
        s.booleanProperty("Visible", true);
        row("unknown property", s, at, "unknown property 'Visible' in sub-mesh 0");
    }
    {
        StreamBuilder s;
        s.u16(1).recordStart();
        leadingProperties(s);
        const int at = s.size();
        s.extendedProperty("Width", 3.0);
        row("repeated property", s, at, "property Width appears twice in sub-mesh 0");
    }
    {
        StreamBuilder s;
        s.u16(1).recordStart();
        leadingProperties(s);
        const int at = s.size();
        s.recordEnd();
        row("no mesh", s, at, "sub-mesh 0 lacks the property Data.Mesh");
    }
    {
        StreamBuilder s;
        s.u16(1).recordStart().booleanProperty("Locked", true).extendedProperty("Height", 1.0);
        s.extendedProperty("Depth", 1.0).booleanProperty("HitTest", false).meshProperty(triangle);
        const int at = s.size();
        s.recordEnd();
        row("no width", s, at, "sub-mesh 0 lacks the property Width");
    }
    {
        StreamBuilder s;
        s.u16(1).recordStart().extendedProperty("Width", 1.0).extendedProperty("Height", 1.0);
        s.extendedProperty("Depth", 1.0).booleanProperty("HitTest", false).meshProperty(triangle);
        const int at = s.size();
        s.recordEnd();
        row("no locked", s, at, "sub-mesh 0 lacks the property Locked");
    }

    // Mesh block contents. `meshAt` is where the block starts in a stream made by withBlock.
    const auto withBlock = [](const QByteArray &block) {
        StreamBuilder s;
        s.u16(1).recordStart();
        leadingProperties(s).meshProperty(block).recordEnd();
        return s;
    };
    const int meshAt = [&] {
        StreamBuilder s;
        s.u16(1).recordStart();
        leadingProperties(s).text("Data.Mesh").u8(10).u32(0);
        return s.size();
    }();
    const int indexCountAt = meshAt + 4 + 3 * 56;

    row("index count not a multiple of 3", withBlock(meshBlock(validTriangle(), {0, 1, 2, 0})),
        indexCountAt, "index count 4 is not a multiple of 3");
    row("index at the vertex count", withBlock(meshBlock(validTriangle(), {0, 1, 3})),
        indexCountAt + 4 + 8, "index 3 is past the vertex count 3");
    row("index far out", withBlock(meshBlock(validTriangle(), {0, 1, 2, 0xFFFFFFFF, 0, 0})),
        indexCountAt + 4 + 12, "index 4294967295 is past the vertex count 3");
    {
        QByteArray block = meshBlock(validTriangle(), {0, 1, 2});
        block[0] = char(0xFF);
        block[1] = char(0xFF);
        block[2] = char(0xFF);
        block[3] = char(0xFF);
        row("huge vertex count", withBlock(block), meshAt,
            "vertex count 4294967295 needs 240518168520 bytes but the block has 184 left");
    }
    {
        QByteArray block = meshBlock(validTriangle(), {0, 1, 2});
        const int countAt = 4 + 3 * 56;
        block[countAt] = char(0xFC); // 0xFFFFFFFC, a multiple of 3
        for (int i = 1; i < 4; ++i)
            block[countAt + i] = char(0xFF);
        row("huge index count", withBlock(block), indexCountAt,
            "index count 4294967292 needs 17179869168 bytes but the block has 12 left");
    }
    {
        StreamBuilder s;
        s.u16(1).recordStart();
        leadingProperties(s).text("Data.Mesh").u8(10);
        const int at = s.size();
        s.u32(0xFFFFFFFF).raw(triangle);
        row("huge block length", s, at, "Data.Mesh claims 4294967295 bytes");
    }
    {
        Triangle t = validTriangle();
        t.values[1][0] = std::numeric_limits<float>::quiet_NaN();
        row("NaN position", withBlock(meshBlock(t, {0, 1, 2})), meshAt + slotOffset(1, 0),
            "vertex 1: position x is not a finite number");
        t = validTriangle();
        t.values[2][5] = -std::numeric_limits<float>::infinity();
        row("infinite normal", withBlock(meshBlock(t, {0, 1, 2})), meshAt + slotOffset(2, 5),
            "vertex 2: normal z is not a finite number");
        t = validTriangle();
        t.values[0][7] = std::numeric_limits<float>::quiet_NaN();
        row("NaN texture coordinate", withBlock(meshBlock(t, {0, 1, 2})), meshAt + slotOffset(0, 7),
            "vertex 0: texture v is not a finite number");
    }
    {
        QByteArray block = triangle;
        block.append("\x01\x02", 2);
        row("bytes after the indices", withBlock(block), meshAt + int(block.size()) - 2,
            "2 bytes left over in the block after the indices");
    }

    // Numbers of the box.
    const struct
    {
        const char *row;
        const char *property;
        const char *hex;
        const char *reason;
    } badNumbers[] = {
        {"infinite width", "Width", "0000000000000080ff7f", "Width is not a finite number"},
        {"NaN position", "Position.Y", "000000000000c0ffff7f", "Position.Y is not a finite number"},
        {"depth beyond the double range", "Depth", "0000000000000080cf47",
         "Depth is not a finite number (or exceeds the double range)"},
        {"unnormal height", "Height", "0000000000000040ff3f",
         "Height holds an invalid 80-bit number (unnormal)"},
        {"negative width", "Width", "0000000000000080ffbf", "Width is negative (-1.000000)"},
    };
    for (const auto &bad : badNumbers) {
        StreamBuilder s;
        s.u16(1).recordStart().text(bad.property).u8(5);
        const int at = s.size();
        s.raw(extendedBytes(bad.hex));
        row(bad.row, s, at, bad.reason);
    }

    // Material names.
    for (const char *name : {"Form2..lettreMat11", "2abc", "Form2.", "lettre Mat"}) {
        StreamBuilder s;
        s.u16(1).recordStart().text("MaterialSource").u8(7);
        const int at = s.size();
        s.text(name);
        QTest::newRow(qPrintable(QStringLiteral("material '%1'").arg(QLatin1StringView(name))))
            << s.bytes() << at
            << QStringLiteral("MaterialSource '%1' is not an identifier")
                   .arg(QLatin1StringView(name));
    }

    // Children and trailing data.
    {
        StreamBuilder s;
        s.u16(1).recordStart();
        leadingProperties(s).meshProperty(triangle).u8(0);
        const int at = s.size();
        s.u8(5);
        row("children", s, at,
            "sub-mesh 0 has children (list starts with value type extended (5)), expected none");
    }
    {
        StreamBuilder s = validStream();
        const int at = s.size();
        s.u8(0);
        row("one trailing byte", s, at, "1 byte of trailing data after the last sub-mesh");
        const QByteArray twice = validStream().bytes() + validStream().bytes();
        QTest::newRow("a trailing stream")
            << twice << at
            << QStringLiteral("%1 bytes of trailing data after the last sub-mesh").arg(at);
    }
}

void TestMeshReader::refusesBadInput()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, offset);
    QFETCH(QString, reason);

    try {
        read(bytes);
        QFAIL("the reader took the stream");
    } catch (const scene::StorageError &error) {
        const QString message = QString::fromStdString(error.what());
        QCOMPARE(error.offset(), std::size_t(offset));
        QVERIFY2(message.startsWith(QStringLiteral("byte %1: ").arg(offset)), qPrintable(message));
        QVERIFY2(message.contains(reason), qPrintable(message));
    }
}

QTEST_APPLESS_MAIN(TestMeshReader)
#include "tst_meshreader.moc"
