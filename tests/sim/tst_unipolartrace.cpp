// SPDX-License-Identifier: GPL-3.0-or-later
#include "stepperchecks.h"

#include "sim/stepper.h"
#include "sim/unipolartrace.h"

#include <QTest>

using simtest::motorSteps;
using simtest::record;

namespace {

std::optional<sim::Plan> planAt(double percent)
{
    return sim::unipolar::plan(sim::stepper::slowness(sim::stepper::speed(percent)));
}

const QList<std::vector<double>> coils {
    {5.0, 0.0, 0.0, 0.0}, {0.0, 5.0, 0.0, 0.0}, {0.0, 0.0, 5.0, 0.0}, {0.0, 0.0, 0.0, 5.0}};

} // namespace

class tst_UnipolarTrace : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wholeStepLengths_data();
    void wholeStepLengths();
    void refused_data();
    void refused();
    void stepEnds_data();
    void stepEnds();
    void invariants_data();
    void invariants();
};

void tst_UnipolarTrace::wholeStepLengths_data()
{
    QTest::addColumn<double>("percent");
    QTest::addColumn<int>("stepLength");
    QTest::addColumn<int>("pointsPerStep");
    QTest::addColumn<int>("steps");
    QTest::addColumn<double>("lastX");
    QTest::addColumn<int>("pointsPerSeries");
    QTest::addColumn<float>("finalText");
    QTest::addColumn<float>("finalRotor");

    QTest::newRow("0") << 0.0 << 10 << 11 << 12 << 120.0 << 132 << -1080.0f << -990.0f;
    QTest::newRow("10") << 10.0 << 9 << 10 << 12 << 108.0 << 120 << -1080.0f << -990.0f;
    QTest::newRow("20") << 20.0 << 8 << 9 << 16 << 128.0 << 144 << -1440.0f << -1350.0f;
    QTest::newRow("30") << 30.0 << 7 << 8 << 16 << 112.0 << 128 << -1440.0f << -1350.0f;
    QTest::newRow("40") << 40.0 << 6 << 7 << 20 << 120.0 << 140 << -1800.0f << -1710.0f;
    QTest::newRow("50") << 50.0 << 5 << 6 << 24 << 120.0 << 144 << -2160.0f << -2070.0f;
    QTest::newRow("60") << 60.0 << 4 << 5 << 28 << 112.0 << 140 << -2520.0f << -2430.0f;
    QTest::newRow("70") << 70.0 << 3 << 4 << 36 << 108.0 << 144 << -3240.0f << -3150.0f;
    QTest::newRow("80") << 80.0 << 2 << 3 << 52 << 104.0 << 156 << -4680.0f << -4590.0f;
    QTest::newRow("90") << 90.0 << 1 << 2 << 104 << 104.0 << 208 << -9360.0f << -9270.0f;
}

void tst_UnipolarTrace::wholeStepLengths()
{
    QFETCH(double, percent);
    QFETCH(int, stepLength);
    QFETCH(int, pointsPerStep);
    QFETCH(int, steps);
    QFETCH(double, lastX);
    QFETCH(int, pointsPerSeries);
    QFETCH(float, finalText);
    QFETCH(float, finalRotor);

    const std::optional<sim::Plan> plan = planAt(percent);
    QVERIFY(plan);
    QCOMPARE(plan->seriesCount(), std::size_t(4));
    QCOMPARE(plan->initialAngleText(), std::optional(0.0f));

    const simtest::Recording recording = record(*plan);
    QVERIFY(recording.ended);
    QCOMPARE(recording.steps.size(), pointsPerSeries);
    QCOMPARE(recording.steps.last().x, lastX);
    QCOMPARE(recording.steps.last().angleText, std::optional(finalText));
    QCOMPARE(recording.steps.last().rotorAngle, std::optional(finalRotor));

    QCOMPARE(pointsPerStep, stepLength + 1);
    simtest::verifyWholeSteps(recording, stepLength, steps);
}

void tst_UnipolarTrace::refused_data()
{
    QTest::addColumn<float>("slowness");

    QTest::newRow("track bar at 100") << sim::stepper::slowness(sim::stepper::speed(100.0));
    QTest::newRow("track bar never moved") << 0.0f;
}

void tst_UnipolarTrace::refused()
{
    QFETCH(float, slowness);

    QVERIFY(!sim::unipolar::plan(slowness));
}

// Where each step ends depends on how the step length and the bounds round in double precision.
void tst_UnipolarTrace::stepEnds_data()
{
    QTest::addColumn<double>("percent");
    QTest::addColumn<QList<double>>("ends");
    QTest::addColumn<bool>("wholeRun");

    // Step length 6.25: the bounds fall between samples unevenly.
    QTest::newRow("37.5") << 37.5 << QList<double> {7, 13, 19, 25, 32, 38, 44, 50} << false;
    // 92 / 100 × 20 / 2 is 9.200000000000001, a hair above 9.2: the first bound of the second
    // cycle is (46.00000000000001 + 1) + 0, so that step runs to sample 47, not 46.
    QTest::newRow("8") << 8.0 << QList<double> {10, 19, 28, 37, 47, 56, 65, 74, 83, 93, 102, 111}
                       << true;
    // The step length is the double just below 2.55 and, after ten cycles, the last bound is
    // (94.35000000000001 + 1) + 7.6499999999999995 = 103.00000000000001: the last step takes
    // sample 103 too. Summed as base + (1 + 3 × L) it would round to 103 and stop at 102.
    QTest::newRow("74.5") << 74.5
                          << QList<double> {3,  6,  8,  11, 13, 16, 18, 21, 23, 26, 29,  31, 34, 36,
                                            39, 41, 44, 46, 49, 51, 54, 57, 59, 62, 64,  67, 69, 72,
                                            74, 77, 80, 82, 85, 87, 90, 92, 95, 97, 100, 103}
                          << true;
}

void tst_UnipolarTrace::stepEnds()
{
    QFETCH(double, percent);
    QFETCH(QList<double>, ends);
    QFETCH(bool, wholeRun);

    const std::optional<sim::Plan> plan = planAt(percent);
    QVERIFY(plan);
    QList<double> actual;
    for (const QList<sim::Step> &group : motorSteps(record(*plan).steps))
        actual.append(group.last().x);
    QCOMPARE(wholeRun ? actual : actual.first(ends.size()), ends);
}

void tst_UnipolarTrace::invariants_data()
{
    QTest::addColumn<double>("percent");

    for (int percent = 0; percent < 100; ++percent)
        QTest::addRow("%d", percent) << double(percent);
    for (double percent : {0.5, 12.3, 33.3, 37.5, 66.6, 91.7, 95.0, 97.5, 99.5, 99.9, 99.99})
        QTest::addRow("%g", percent) << percent;
}

void tst_UnipolarTrace::invariants()
{
    QFETCH(double, percent);

    const std::optional<sim::Plan> plan = planAt(percent);
    QVERIFY(plan);
    QCOMPARE(plan->initialAngleText(), std::optional(0.0f));
    // Coil k + 1 alone at 5.0 through motor step k, in the order tr1, tr2, tr3, tr4, tr1...
    simtest::verifyStepperRun(record(*plan), coils);
}

QTEST_APPLESS_MAIN(tst_UnipolarTrace)
#include "tst_unipolartrace.moc"
