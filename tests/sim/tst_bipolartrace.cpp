// SPDX-License-Identifier: GPL-3.0-or-later
#include "stepperchecks.h"

#include "sim/bipolartrace.h"
#include "sim/stepper.h"

#include <QTest>

using simtest::motorSteps;
using simtest::record;

namespace {

std::optional<sim::Plan> planAt(double percent)
{
    return sim::bipolar::plan(sim::stepper::slowness(sim::stepper::speed(percent)));
}

// Coil 1 / coil 2 over one cycle.
const QList<std::vector<double>> polarities {{5.0, 0.0}, {0.0, 5.0}, {-5.0, 0.0}, {0.0, -5.0}};

} // namespace

class tst_BipolarTrace : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wholeStepLengths_data();
    void wholeStepLengths();
    void refused_data();
    void refused();
    void halfSampleSteps();
    void invariants_data();
    void invariants();
};

void tst_BipolarTrace::wholeStepLengths_data()
{
    QTest::addColumn<double>("percent");
    QTest::addColumn<int>("stepLength");
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("pointsPerSeries");
    QTest::addColumn<double>("lastX");
    QTest::addColumn<float>("finalText");
    QTest::addColumn<float>("finalRotor");

    QTest::newRow("0") << 0.0 << 10 << 12 << 132 << 120.0 << -1080.0f << -990.0f;
    QTest::newRow("10") << 10.0 << 9 << 12 << 120 << 108.0 << -1080.0f << -990.0f;
    QTest::newRow("20") << 20.0 << 8 << 16 << 144 << 128.0 << -1440.0f << -1350.0f;
    QTest::newRow("30") << 30.0 << 7 << 16 << 128 << 112.0 << -1440.0f << -1350.0f;
    QTest::newRow("40") << 40.0 << 6 << 20 << 140 << 120.0 << -1800.0f << -1710.0f;
    QTest::newRow("50") << 50.0 << 5 << 24 << 144 << 120.0 << -2160.0f << -2070.0f;
    QTest::newRow("60") << 60.0 << 4 << 28 << 140 << 112.0 << -2520.0f << -2430.0f;
    QTest::newRow("70") << 70.0 << 3 << 36 << 144 << 108.0 << -3240.0f << -3150.0f;
    QTest::newRow("80") << 80.0 << 2 << 52 << 156 << 104.0 << -4680.0f << -4590.0f;
    QTest::newRow("90") << 90.0 << 1 << 104 << 208 << 104.0 << -9360.0f << -9270.0f;
}

void tst_BipolarTrace::wholeStepLengths()
{
    QFETCH(double, percent);
    QFETCH(int, stepLength);
    QFETCH(int, steps);
    QFETCH(int, pointsPerSeries);
    QFETCH(double, lastX);
    QFETCH(float, finalText);
    QFETCH(float, finalRotor);

    const std::optional<sim::Plan> plan = planAt(percent);
    QVERIFY(plan);
    QCOMPARE(plan->seriesCount(), std::size_t(2));
    QCOMPARE(plan->initialAngleText(), std::optional(0.0f));

    const simtest::Recording recording = record(*plan);
    QVERIFY(recording.ended);
    QCOMPARE(recording.steps.size(), pointsPerSeries);
    QCOMPARE(recording.steps.last().x, lastX);
    QCOMPARE(recording.steps.last().angleText, std::optional(finalText));
    QCOMPARE(recording.steps.last().rotorAngle, std::optional(finalRotor));
    QCOMPARE(recording.steps.first().y, (std::vector<double> {5.0, 0.0}));

    simtest::verifyWholeSteps(recording, stepLength, steps);
}

void tst_BipolarTrace::refused_data()
{
    QTest::addColumn<float>("slowness");

    QTest::newRow("track bar at 100") << sim::stepper::slowness(sim::stepper::speed(100.0));
    QTest::newRow("track bar never moved") << 0.0f;
}

void tst_BipolarTrace::refused()
{
    QFETCH(float, slowness);

    QVERIFY(!sim::bipolar::plan(slowness));
}

// A step of half a sample: consecutive steps share abscissae, each still with its own levels.
void tst_BipolarTrace::halfSampleSteps()
{
    const std::optional<sim::Plan> plan = planAt(95.0);
    QVERIFY(plan);
    const simtest::Recording recording = record(*plan);

    QVERIFY(recording.ended);
    QCOMPARE(motorSteps(recording.steps).size(), 204);
    QCOMPARE(recording.steps.size(), 306);
    QCOMPARE(recording.steps.last().x, 102.0);
    simtest::verifyStepperRun(recording, polarities);
}

void tst_BipolarTrace::invariants_data()
{
    QTest::addColumn<double>("percent");

    for (int percent = 0; percent < 100; ++percent)
        QTest::addRow("%d", percent) << double(percent);
    for (double percent : {0.5, 12.3, 33.3, 37.5, 66.6, 91.7, 97.5, 99.5, 99.9, 99.99})
        QTest::addRow("%g", percent) << percent;
}

// Levels +5/0, 0/+5, -5/0, 0/-5 step after step, whatever the step length.
void tst_BipolarTrace::invariants()
{
    QFETCH(double, percent);

    const std::optional<sim::Plan> plan = planAt(percent);
    QVERIFY(plan);
    QCOMPARE(plan->initialAngleText(), std::optional(0.0f));
    simtest::verifyStepperRun(record(*plan), polarities);
}

QTEST_APPLESS_MAIN(tst_BipolarTrace)
#include "tst_bipolartrace.moc"
