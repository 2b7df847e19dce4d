// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/extended80.h"

#include <QTest>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

using scene::Extended80;

namespace {

Extended80 fromHex(const char *hex)
{
    const QByteArray bytes = QByteArray::fromHex(hex);
    Extended80 out {};
    if (bytes.size() == qsizetype(out.size()))
        std::memcpy(out.data(), bytes.constData(), out.size());
    return out;
}

QByteArray toHex(const Extended80 &bytes)
{
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()))
        .toHex();
}

std::uint64_t bitsOf(double value)
{
    return std::bit_cast<std::uint64_t>(value);
}

} // namespace

class TestExtended80 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exactBothWays_data();
    void exactBothWays();
    void roundsToNearestDouble_data();
    void roundsToNearestDouble();
    void refusesEncodingsThatAreNoNumber_data();
    void refusesEncodingsThatAreNoNumber();
    void nanStaysNan();
};

// Expected bytes: the x87 unit's own 80-bit form of each double, significand first.
void TestExtended80::exactBothWays_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QByteArray>("hex");

    QTest::newRow("zero") << 0.0 << QByteArray("00000000000000000000");
    QTest::newRow("negative zero") << -0.0 << QByteArray("00000000000000000080");
    QTest::newRow("one") << 1.0 << QByteArray("0000000000000080ff3f");
    QTest::newRow("minus two and a half") << -2.5 << QByteArray("00000000000000a000c0");
    QTest::newRow("pi") << 3.141592653589793 << QByteArray("00c06821a2da0fc90040");
    QTest::newRow("a tenth") << 0.1 << QByteArray("00d0ccccccccccccfb3f");
    QTest::newRow("large") << 1e300 << QByteArray("00e0ac0340e421bfe343");
    QTest::newRow("tiny normal") << 1e-300 << QByteArray("00c89ac717fe70ab1a3c");
    QTest::newRow("largest double")
        << std::numeric_limits<double>::max() << QByteArray("00f8ffffffffffffFe43");
    QTest::newRow("smallest normal")
        << std::numeric_limits<double>::min() << QByteArray("0000000000000080013c");
    QTest::newRow("smallest subnormal")
        << std::numeric_limits<double>::denorm_min() << QByteArray("0000000000000080cd3b");
    QTest::newRow("largest subnormal") << std::nextafter(std::numeric_limits<double>::min(), 0.0)
                                       << QByteArray("00f0ffffffffffff003c");
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity()
                              << QByteArray("0000000000000080ff7f");
    QTest::newRow("minus infinity")
        << -std::numeric_limits<double>::infinity() << QByteArray("0000000000000080ffff");
}

void TestExtended80::exactBothWays()
{
    QFETCH(double, value);
    QFETCH(QByteArray, hex);

    QCOMPARE(toHex(scene::doubleToExtended(value)), hex.toLower());
    const auto back = scene::extendedToDouble(fromHex(hex.constData()));
    QVERIFY(back.has_value());
    QCOMPARE(bitsOf(*back), bitsOf(value));
}

void TestExtended80::roundsToNearestDouble_data()
{
    QTest::addColumn<QByteArray>("hex");
    QTest::addColumn<double>("expected");

    const double one = 1.0;
    const double ulp = std::ldexp(1.0, -52);
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("tie goes down to even") << QByteArray("0004000000000080ff3f") << one;
    QTest::newRow("tie goes up to even") << QByteArray("000c000000000080ff3f") << one + 2 * ulp;
    QTest::newRow("just above the tie") << QByteArray("0104000000000080ff3f") << one + ulp;
    QTest::newRow("just below the tie") << QByteArray("ff03000000000080ff3f") << one;
    QTest::newRow("carry into the exponent") << QByteArray("00fcffffffffffffff3f") << 2.0;
    QTest::newRow("beyond the double range") << QByteArray("0000000000000080ff43") << inf;
    QTest::newRow("largest extended") << QByteArray("fffffffffffffffffe7f") << inf;
    QTest::newRow("rounds down to the largest double")
        << QByteArray("fffbffffffffffffFe43") << std::numeric_limits<double>::max();
    QTest::newRow("rounds up past the largest double") << QByteArray("00fcffffffffffffFe43") << inf;
    QTest::newRow("negative overflow keeps its sign") << QByteArray("0000000000000080ffc3") << -inf;
    QTest::newRow("half the smallest subnormal ties to zero")
        << QByteArray("0000000000000080cc3b") << 0.0;
    QTest::newRow("above half the smallest subnormal")
        << QByteArray("00000000000000c0cc3b") << std::numeric_limits<double>::denorm_min();
    QTest::newRow("a quarter of the smallest subnormal")
        << QByteArray("0000000000000080cb3b") << 0.0;
    QTest::newRow("underflow keeps its sign") << QByteArray("0000000000000080cbbb") << -0.0;
    QTest::newRow("subnormal rounding") // 2.5 units of 2^-1074: ties to 2 units
        << QByteArray("00000000000000a0ce3b") << 2 * std::numeric_limits<double>::denorm_min();
    QTest::newRow("subnormal rounding up to the smallest normal")
        << QByteArray("00f8ffffffffffff003c") << std::numeric_limits<double>::min();
    QTest::newRow("extended subnormal") << QByteArray("01000000000000000000") << 0.0;
    QTest::newRow("pseudo-denormal") << QByteArray("00000000000000800000") << 0.0;
}

void TestExtended80::roundsToNearestDouble()
{
    QFETCH(QByteArray, hex);
    QFETCH(double, expected);

    const auto value = scene::extendedToDouble(fromHex(hex.constData()));
    QVERIFY(value.has_value());
    QCOMPARE(bitsOf(*value), bitsOf(expected));
}

void TestExtended80::refusesEncodingsThatAreNoNumber_data()
{
    QTest::addColumn<QByteArray>("hex");

    QTest::newRow("unnormal") << QByteArray("0000000000000040ff3f");
    QTest::newRow("unnormal zero") << QByteArray("0000000000000000ff3f");
    QTest::newRow("pseudo-infinity") << QByteArray("0000000000000000ff7f");
    QTest::newRow("pseudo-NaN") << QByteArray("0000000000000040ff7f");
}

void TestExtended80::refusesEncodingsThatAreNoNumber()
{
    QFETCH(QByteArray, hex);
    QVERIFY(!scene::extendedToDouble(fromHex(hex.constData())).has_value());
}

void TestExtended80::nanStaysNan()
{
    const Extended80 stored = scene::doubleToExtended(std::numeric_limits<double>::quiet_NaN());
    QCOMPARE(stored[9] & 0x7F, 0x7F);
    const auto back = scene::extendedToDouble(stored);
    QVERIFY(back.has_value());
    QVERIFY(std::isnan(*back));
}

QTEST_APPLESS_MAIN(TestExtended80)
#include "tst_extended80.moc"
