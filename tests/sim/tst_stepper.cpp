// SPDX-License-Identifier: GPL-3.0-or-later
// Tabs 3 and 4: the runs of both drivers at every percentage, and where their steps end.
#include "planrecording.h"

#include "sim/bipolartrace.h"
#include "sim/stepper.h"
#include "sim/unipolartrace.h"

#include <QTest>

namespace {

using Levels = std::array<std::vector<double>, 4>;
// Coil k + 1 alone at 5 V through motor step k on tab 3; +5/0, 0/+5, -5/0, 0/-5 on tab 4.
const Levels unipolar {{{5, 0, 0, 0}, {0, 5, 0, 0}, {0, 0, 5, 0}, {0, 0, 0, 5}}};
const Levels bipolar {{{5, 0}, {0, 5}, {-5, 0}, {0, -5}}};

float slownessAt(double percent)
{
    return sim::stepper::slowness(sim::stepper::speed(percent));
}

std::optional<sim::Plan> planAt(int tab, double percent)
{
    return tab == 3 ? sim::unipolar::plan(slownessAt(percent))
                    : sim::bipolar::plan(slownessAt(percent));
}

// The point steps split into motor steps, each ending with the step that writes the edit box.
QList<QList<sim::Step>> motorSteps(const QList<sim::Step> &steps)
{
    QList<QList<sim::Step>> groups(1);
    for (const sim::Step &step : steps) {
        groups.last().append(step);
        if (step.angleText)
            groups.append(QList<sim::Step>());
    }
    if (groups.last().isEmpty())
        groups.removeLast();
    return groups;
}

} // namespace

class tst_Stepper : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void runAtEveryPercent_data();
    void runAtEveryPercent();
    void stepEnds();
};

void tst_Stepper::runAtEveryPercent_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<double>("percent");
    for (int tab : {3, 4}) {
        for (int percent = 0; percent < 100; ++percent)
            QTest::addRow("tab %d, %d", tab, percent) << tab << double(percent);
        for (double percent : {0.5, 12.3, 37.5, 66.6, 91.7, 95.0, 97.5, 99.5, 99.9, 99.99})
            QTest::addRow("tab %d, %g", tab, percent) << tab << percent;
    }
}

// Whatever the step length: the levels of motor step n are those of n mod 4 on every one of its
// points, which follow each other sample by sample; the next step starts on the abscissa where
// the previous one ended; the rotor is at -90 × n during step n and the edit box shows 0 first,
// then -90 × (n + 1) from the end of step n; the run stops after the first whole cycle that ends
// at or beyond 101, and not before. A whole step length L makes step n span L × n to L × (n + 1).
void tst_Stepper::runAtEveryPercent()
{
    QFETCH(int, tab);
    QFETCH(double, percent);

    const std::optional<sim::Plan> plan = planAt(tab, percent);
    QVERIFY(plan);
    QCOMPARE(plan->initialAngleText(), std::optional(0.0f));
    const Levels &levels = tab == 3 ? unipolar : bipolar;
    const double length = *sim::stepper::stepLength(slownessAt(percent));
    const bool whole = length == std::trunc(length);
    const QList<QList<sim::Step>> groups = motorSteps(simtest::record(*plan));
    QCOMPARE(groups.size() % 4, 0);
    double x = 0;
    for (qsizetype n = 0; n < groups.size(); ++n) {
        const QList<sim::Step> &group = groups.at(n);
        const float angle = -90.0f * float(n);
        for (const sim::Step &step : group) {
            QVERIFY2(step.x == x++ && step.y == levels.at(n % 4),
                     qPrintable(QStringLiteral("step %1 at x %2").arg(n).arg(step.x)));
            QCOMPARE(step.rotorAngle, std::optional(angle));
        }
        QCOMPARE(group.last().angleText, std::optional(angle - 90.0f));
        x = group.last().x;
        if (whole)
            QCOMPARE(x, length * double(n + 1));
        if (n % 4 == 3)
            QCOMPARE(x < 101.0, n != groups.size() - 1);
    }
}

// Where each step ends depends on how the step length and the bounds round in double precision.
void tst_Stepper::stepEnds()
{
    // The step length is a hair above 9.2: the first bound of the second cycle is
    // (46.00000000000001 + 1) + 0, so that step runs to sample 47, not 46.
    const QList<double> at8 {10, 19, 28, 37, 47, 56, 65, 74, 83, 93, 102, 111};
    // The step length is the double just below 2.55 and the last bound (94.35000000000001 + 1) +
    // 7.6499999999999995 = 103.00000000000001: the last step takes sample 103 too. Summed as
    // base + (1 + 3 × L) it would round to 103 and stop at 102.
    const QList<double> at74 {3,  6,  8,  11, 13, 16, 18, 21, 23, 26, 29,  31, 34, 36,
                              39, 41, 44, 46, 49, 51, 54, 57, 59, 62, 64,  67, 69, 72,
                              74, 77, 80, 82, 85, 87, 90, 92, 95, 97, 100, 103};
    for (const auto &[percent, ends] : {std::pair {8.0, at8}, {74.5, at74}}) {
        const std::optional<sim::Plan> plan = planAt(3, percent);
        QVERIFY(plan);
        const QList<sim::Step> steps = simtest::record(*plan);
        QList<double> actual;
        for (const QList<sim::Step> &group : motorSteps(steps))
            actual.append(group.last().x);
        QCOMPARE(actual, ends);
        // A plan is data: the player may run it again and get the same steps.
        QVERIFY(simtest::record(*plan) == steps);
    }
    QVERIFY(!planAt(3, 100) && !planAt(4, 100)); // at full speed a step has no length: no trace
}

QTEST_APPLESS_MAIN(tst_Stepper)
#include "tst_stepper.moc"
