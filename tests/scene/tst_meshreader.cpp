// SPDX-License-Identifier: GPL-3.0-or-later
// The stored models: the reader against streams built here byte by byte, and the 80-bit numbers.
#include "storage/extended80.h"
#include "storage/meshreader.h"
#include "storage/storageerror.h"

#include <QRandomGenerator64>
#include <QTest>

#include <bit>
#include <cstring>
#include <limits>

namespace {

// The bytes of @p v as stored (the host is little-endian too).
template<typename T> QByteArray raw(T v)
{
    return QByteArray(reinterpret_cast<const char *>(&v), sizeof(v));
}
const auto u32 = [](quint32 v) { return raw(v); };
const auto text = [](const QByteArray &s) -> QByteArray { return char(s.size()) + s; };
const auto extended = [](double v) { return raw(scene::doubleToExtended(v)); };
const auto number = [](const QByteArray &name, double v) -> QByteArray {
    return text(name) + '\x05' + extended(v);
};
const auto flag = [](const QByteArray &name, bool v) -> QByteArray {
    return text(name) + (v ? '\x09' : '\x08');
};

// A triangle: vertex v at (v, v², 0), normal +z, texture (0.5, v / 4); indices 0 1 2.
QByteArray triangle()
{
    QByteArray block = u32(3);
    for (int v = 0; v < 3; ++v) {
        for (float slot : {float(v), float(v * v), 0.f, 0.f, 0.f, 1.f, 0.5f, 0.25f * v, 0.f, 0.f,
                           0.f, 0.f, 0.f, 0.f})
            block += raw(slot);
    }
    return block + u32(3) + u32(0) + u32(1) + u32(2);
}

const auto record = [](const QByteArray &properties) -> QByteArray {
    return "TPF0" + text("TMesh") + text("") + properties + QByteArray(2, '\0');
};

const QByteArray properties = number("Position.X", 1.5) + flag("Locked", true) + number("Width", 2)
    + number("Height", 4) + number("Depth", 0) + flag("HitTest", false) + text("MaterialSource")
    + '\x07' + text("Form2.lettreMat11") + text("Data.Mesh") + '\x0a' + u32(triangle().size())
    + triangle();
// One sub-mesh with every property: the rows of refusesBadInput are faults put into it.
const QByteArray valid = QByteArray("\x01\x00", 2) + record(properties);

scene::ModelGeometry read(const QByteArray &bytes)
{
    return scene::readModelGeometry(
        {reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size())});
}

} // namespace

class TestMeshReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsPropertiesInAnyOrder();
    void refusesBadInput_data();
    void refusesBadInput();
    void everyCountMustFitItsRecord();
    void extendedNumbers();
};

void TestMeshReader::readsPropertiesInAnyOrder()
{
    const QByteArray shuffled = text("Data.Mesh") + '\x0a' + u32(triangle().size()) + triangle()
        + flag("HitTest", true) + number("Depth", 23) + number("Position.Z", -7.25)
        + number("Height", 7.705) + number("Width", 6.125) + flag("Locked", false);
    const scene::ModelGeometry geometry =
        read(QByteArray("\x02\x00", 2) + record(properties) + record(shuffled));
    QCOMPARE(geometry.subMeshes.size(), 2u);
    const scene::SubMesh &first = geometry.subMeshes[0], &second = geometry.subMeshes[1];
    QCOMPARE(first.position, (scene::Vector3 {1.5, 0, 0}));
    QCOMPARE(first.size, (scene::Vector3 {2, 4, 0}));
    QVERIFY(first.locked && !first.hitTest);
    QCOMPARE(first.materialSource.value_or(""), std::string("Form2.lettreMat11"));
    QVERIFY(first.mesh.vertices[2][1] == 4.0f && first.mesh.vertices[2][7] == 0.5f);
    QCOMPARE(first.mesh.indices, (std::vector<std::uint32_t> {0, 1, 2}));
    QCOMPARE(second.position, (scene::Vector3 {0, 0, -7.25}));
    QCOMPARE(second.size, (scene::Vector3 {6.125, 7.705, 23}));
    QVERIFY(!second.locked && second.hitTest && !second.materialSource);
    QVERIFY(second.mesh == first.mesh);
}

// Each row puts one fault into the valid stream (bytes from @c at on: @c cut dropped, @c put put
// in their place) and gives what the reader says of it, found at @c at unless told otherwise.
void TestMeshReader::refusesBadInput_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("reason");

    const auto value = [](const QByteArray &name) { // where the property's value type is
        return int(valid.indexOf(text(name)) + 1 + name.size());
    };
    const int mesh = value("Data.Mesh") + 5, indices = mesh + 4 + 3 * 56 + 4;
    const auto row = [](int at, int cut, const QByteArray &put, const char *why, int offset = -1) {
        QTest::newRow(why) << QByteArray(valid.left(at) + put + valid.mid(at + cut))
                           << (offset < 0 ? at : offset) << QString::fromUtf8(why);
    };

    row(0, valid.size(), {}, "the data ends inside the sub-mesh count (2 bytes needed, 0 left)");
    row(16, valid.size(), {},
        "the data ends inside a property name of sub-mesh 0 (10 bytes needed, 2 left)", 14);
    row(mesh + 10, valid.size(), {}, "Data.Mesh claims 188 bytes but only 10 are left", mesh - 4);
    row(5, 1, "1", "sub-mesh 0 does not start with the signature \"TPF0\" (found 'TPF1')", 2);
    row(7, 5, "TRoue", "sub-mesh 0 is of class 'TRoue', expected TMesh", 6);
    row(12, 1, text("rotor"), "sub-mesh 0 has the object name 'rotor', expected none");
    row(value("Width"), 1, "\x03", "Width holds a value of type int16 (3), expected extended (5)");
    row(value("Locked"), 1, "\x05",
        "Locked holds a value of type extended (5), expected false (8) or true (9)");
    row(value("Height"), 1, "\x63",
        "Height holds a value of type unknown (99), expected extended (5)");
    row(value("Locked") - 7, 7, text("Hidden"), "unknown property 'Hidden' in sub-mesh 0");
    row(value("Depth") - 6, 6, text("Width"), "property Width appears twice in sub-mesh 0");
    row(mesh - 15, valid.size() - 2 - mesh + 15, {}, "sub-mesh 0 lacks the property Data.Mesh");
    row(mesh + 4 + 56, 4, raw(std::numeric_limits<float>::quiet_NaN()),
        "vertex 1: position x is not a finite number");
    row(indices + 8, 4, u32(3), "index 3 is past the vertex count 3");
    row(indices + 4, 4, u32(0xFFFFFFFF), "index 4294967295 is past the vertex count 3");
    row(mesh - 4, valid.size(), u32(190) + triangle() + "\x01\x02",
        "2 bytes left over in the block after the indices", mesh + 188);
    row(value("Width") + 1, 10, extended(std::numeric_limits<double>::infinity()),
        "Width is not a finite number");
    row(value("Depth") + 1, 10, QByteArray::fromHex("0000000000000080cf47"),
        "Depth is not a finite number (or exceeds the double range)");
    row(value("Height") + 1, 10, QByteArray::fromHex("0000000000000040ff3f"),
        "Height holds an invalid 80-bit number (unnormal)");
    row(value("Width") + 1, 10, extended(-1), "Width is negative (-1.000000)");
    row(value("MaterialSource") + 1, 18, text("Form2..lettreMat11"),
        "MaterialSource 'Form2..lettreMat11' is not an identifier");
    row(valid.size() - 1, 1, "\x05",
        "sub-mesh 0 has children (list starts with value type extended (5)), expected none");
    row(valid.size(), 0, QByteArray(1, '\0'), "1 byte of trailing data after the last sub-mesh");
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
        QVERIFY2(message.startsWith(QStringLiteral("byte %1: ").arg(offset))
                     && message.contains(reason),
                 qPrintable(message));
    }
}

// Each count of the stream over many values: only the true one is taken; one that cannot
// describe whole triangles, or claims more than its record holds, is refused at the count.
void TestMeshReader::everyCountMustFitItsRecord()
{
    const int length = int(valid.indexOf(text("Data.Mesh")) + 11); // Data.Mesh's byte count
    const int vertices = length + 4, indices = vertices + 4 + 3 * 56;
    const qint64 block = triangle().size();
    struct Count
    {
        int at;
        qint64 truth;
        qint64 room; // what the bytes after it can hold of what it counts
        int divisor; // it counts parts of wholes of this many
    };
    // The sub-mesh count's records are read one by one: a missing one is refused where it would
    // begin, an extra one where the count ends.
    for (quint16 records : {0, 2, 3, 0xFFFF}) {
        try {
            read(QByteArray(valid).replace(0, 2, raw(records)));
            QFAIL("the reader took the stream");
        } catch (const scene::StorageError &error) {
            QCOMPARE(error.offset(), std::size_t(records == 0 ? 2 : valid.size()));
        }
    }
    for (const Count &count :
         {Count {length, block, valid.size() - length - 4, 1},
          Count {vertices, 3, (block - 4) / 56, 1}, Count {indices, 3, 3, 3}}) {
        QList<quint64> values {0xFFFFFFFF, 0x80000000, 0x7FFFFFFF, 0x40000000, 0x3FFFFFFF};
        for (quint64 v = 0; v <= 400; ++v)
            values << v;
        for (const quint64 value : values) {
            QByteArray bytes = valid;
            bytes.replace(count.at, 4, u32(quint32(value)));
            const bool fits = qint64(value) <= count.room && value % count.divisor == 0;
            const QString at = QStringLiteral("count at %1 = %2").arg(count.at).arg(value);
            try {
                read(bytes);
                QVERIFY2(qint64(value) == count.truth, qPrintable(at));
            } catch (const scene::StorageError &error) {
                QVERIFY2(qint64(value) != count.truth, qPrintable(at));
                QVERIFY2(fits || error.offset() == std::size_t(count.at),
                         qPrintable(at + QStringLiteral(": ") + error.what()));
            }
        }
    }
}

// The x87 unit's own 80-bit form, significand first, read back to the nearest double (ties to
// even) and written from it where exact; any double comes back bit for bit; encodings that are
// no number are refused.
void TestMeshReader::extendedNumbers()
{
    const double inf = std::numeric_limits<double>::infinity(), ulp = std::ldexp(1.0, -52);
    const double tiny = std::numeric_limits<double>::denorm_min();
    const struct
    {
        const char *hex;
        double value;
        bool exact = false;
    } rows[] = {{"00000000000000000080", -0.0, true}, // negative zero
                {"00d0ccccccccccccfb3f", 0.1, true},
                {"0000000000000080cd3b", tiny, true}, // smallest subnormal
                {"0004000000000080ff3f", 1.0}, // a tie goes down to even
                {"000c000000000080ff3f", 1.0 + 2 * ulp}, // and up to even
                {"00fcffffffffffffff3f", 2.0}, // carry into the exponent
                {"00fcfffffffffffffe43", inf}, // rounds up past the largest double
                {"0000000000000080cc3b", 0.0}, // half the smallest subnormal ties to zero
                {"0000000000000080cbbb", -0.0}, // underflow keeps its sign
                {"00000000000000a0ce3b", 2 * tiny}, // subnormal tie to even
                {"00000000000000800000", 0.0}}; // pseudo-denormal
    const auto bytes = [](const char *hex) {
        scene::Extended80 bytes;
        std::memcpy(bytes.data(), QByteArray::fromHex(hex).constData(), 10);
        return bytes;
    };
    for (const auto &row : rows) {
        QCOMPARE(std::bit_cast<quint64>(scene::extendedToDouble(bytes(row.hex)).value_or(-1)),
                 std::bit_cast<quint64>(row.value));
        QVERIFY(!row.exact || extended(row.value).toHex() == row.hex);
    }
    QRandomGenerator64 random(13);
    for (int i = 0; i < 100000; ++i) {
        const quint64 bits = random.generate();
        const auto back =
            scene::extendedToDouble(scene::doubleToExtended(std::bit_cast<double>(bits)));
        QVERIFY(back
                && (std::isnan(*back) ? std::isnan(std::bit_cast<double>(bits))
                                      : std::bit_cast<quint64>(*back) == bits));
    }
    for (const char *hex : {"0000000000000040ff3f", "0000000000000000ff3f", "0000000000000000ff7f",
                            "0000000000000040ff7f"})
        QVERIFY2(!scene::extendedToDouble(bytes(hex)), hex);
}

QTEST_APPLESS_MAIN(TestMeshReader)
#include "tst_meshreader.moc"
