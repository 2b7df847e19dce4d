// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/stepper.h"

#include <QTest>

#include <limits>
#include <optional>

Q_DECLARE_METATYPE(std::optional<double>)

class tst_Stepper : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void trackBarArithmetic_data();
    void trackBarArithmetic();
    void stepLength_data();
    void stepLength();
    void refusedSlowness_data();
    void refusedSlowness();
};

// The slowness is formed in single precision: near 100 % it differs from the value that double
// arithmetic would give, and the trace must see the single-precision one.
void tst_Stepper::trackBarArithmetic_data()
{
    QTest::addColumn<double>("trackValue");
    QTest::addColumn<double>("speed");
    QTest::addColumn<double>("slowness");

    QTest::newRow("0") << 0.0 << 0.0 << 100.0;
    QTest::newRow("37.5") << 37.5 << 37.5 << 62.5;
    QTest::newRow("50") << 50.0 << 50.0 << 50.0;
    QTest::newRow("100") << 100.0 << 100.0 << 0.0;
    QTest::newRow("33.3") << 33.3 << 33.29999923706055 << 66.69999694824219;
    QTest::newRow("91.7") << 91.7 << 91.69999694824219 << 8.300003051757812;
    QTest::newRow("99.9") << 99.9 << 99.9000015258789 << 0.09999847412109375;
    QTest::newRow("rounds to 100") << 99.999999 << 100.0 << 0.0;
}

void tst_Stepper::trackBarArithmetic()
{
    QFETCH(double, trackValue);
    QFETCH(double, speed);
    QFETCH(double, slowness);

    const float stored = sim::stepper::speed(trackValue);
    QCOMPARE(double(stored), speed);
    QCOMPARE(double(sim::stepper::slowness(stored)), slowness);
}

void tst_Stepper::stepLength_data()
{
    QTest::addColumn<double>("percent");
    QTest::addColumn<std::optional<double>>("stepLength");

    QTest::newRow("0") << 0.0 << std::optional(10.0);
    // Formed as written, not as a tenth: 92 / 10 would give 9.2 exactly.
    QTest::newRow("8") << 8.0 << std::optional(9.200000000000001);
    QTest::newRow("10") << 10.0 << std::optional(9.0);
    QTest::newRow("20") << 20.0 << std::optional(8.0);
    QTest::newRow("30") << 30.0 << std::optional(7.0);
    QTest::newRow("37.5") << 37.5 << std::optional(6.25);
    QTest::newRow("40") << 40.0 << std::optional(6.0);
    QTest::newRow("50") << 50.0 << std::optional(5.0);
    QTest::newRow("60") << 60.0 << std::optional(4.0);
    QTest::newRow("70") << 70.0 << std::optional(3.0);
    QTest::newRow("80") << 80.0 << std::optional(2.0);
    QTest::newRow("90") << 90.0 << std::optional(1.0);
    QTest::newRow("95") << 95.0 << std::optional(0.5);
    QTest::newRow("100: no trace") << 100.0 << std::optional<double>();
    // The thumb one float spacing below 100 gives the shortest step of all.
    QTest::newRow("last before 100") << 100.0 - 0x1p-17 << std::optional(7.62939453125e-07);
}

void tst_Stepper::stepLength()
{
    QFETCH(double, percent);
    QFETCH(std::optional<double>, stepLength);

    const std::optional<double> length =
        sim::stepper::stepLength(sim::stepper::slowness(sim::stepper::speed(percent)));
    // Exact on purpose: QCOMPARE would let a last-bit difference through, and such differences
    // move step ends.
    QVERIFY2(length == stepLength,
             qPrintable(length ? QString::number(*length, 'g', 17) : QStringLiteral("none")));
}

// None of these comes from a track-bar position; each would give a step that never advances,
// goes backwards or stalls in floating point, so each is refused like the slowness 0.
void tst_Stepper::refusedSlowness_data()
{
    QTest::addColumn<float>("slowness");

    QTest::newRow("zero, never moved") << 0.0f;
    QTest::newRow("negative zero") << -0.0f;
    QTest::newRow("negative") << -5.0f;
    QTest::newRow("NaN") << std::numeric_limits<float>::quiet_NaN();
    QTest::newRow("infinite") << std::numeric_limits<float>::infinity();
    QTest::newRow("minus infinite") << -std::numeric_limits<float>::infinity();
    QTest::newRow("above 100") << 100.5f;
    QTest::newRow("below the finest track step") << 1e-6f;
    QTest::newRow("denormal") << std::numeric_limits<float>::denorm_min();
}

void tst_Stepper::refusedSlowness()
{
    QFETCH(float, slowness);

    QVERIFY(!sim::stepper::stepLength(slowness));
}

QTEST_APPLESS_MAIN(tst_Stepper)
#include "tst_stepper.moc"
