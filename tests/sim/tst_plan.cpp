// SPDX-License-Identifier: GPL-3.0-or-later
#include "planrecording.h"

#include "sim/plan.h"

#include <QTest>

#include <limits>
#include <ranges>
#include <stdexcept>

static_assert(std::ranges::input_range<sim::Plan>);

using simtest::record;

namespace {

const std::array<std::vector<double>, 4> twoSeries {
    {{1.0, 0.0}, {0.0, 1.0}, {-1.0, 0.0}, {0.0, -1.0}}};

} // namespace

class tst_Plan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rejectedHighWidth_data();
    void rejectedHighWidth();
    void rejectedStepLength_data();
    void rejectedStepLength();
    void rejectedLevels();
    void acceptedLimits();
    void replayable();
    void iteratorOutlivesPlan();
    void shortStepsEnd();
};

void tst_Plan::rejectedHighWidth_data()
{
    QTest::addColumn<double>("highWidth");

    QTest::newRow("negative") << -1.0;
    QTest::newRow("past the period") << 21.0;
    QTest::newRow("fraction") << 2.5;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN();
}

// A pulse train whose low part started past the period end would step x backwards.
void tst_Plan::rejectedHighWidth()
{
    QFETCH(double, highWidth);

    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, sim::Plan::pulseTrain(1.0, highWidth));
}

void tst_Plan::rejectedStepLength_data()
{
    QTest::addColumn<double>("stepLength");

    QTest::newRow("zero") << 0.0;
    QTest::newRow("negative") << -1.0;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity();
    QTest::newRow("too short to advance") << 1e-300;
    QTest::newRow("just below the shortest") << sim::Plan::shortestStep / 2.0;
    QTest::newRow("longer than at 0 %") << 10.5;
}

void tst_Plan::rejectedStepLength()
{
    QFETCH(double, stepLength);

    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, sim::Plan::stepper(stepLength, twoSeries));
}

void tst_Plan::rejectedLevels()
{
    QVERIFY_THROWS_EXCEPTION(
        std::invalid_argument,
        sim::Plan::stepper(1.0, {{{1.0, 0.0}, {0.0}, {1.0, 0.0}, {0.0, 1.0}}}));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, sim::Plan::stepper(1.0, {{{}, {}, {}, {}}}));
}

void tst_Plan::acceptedLimits()
{
    QCOMPARE(record(sim::Plan::pulseTrain(0.0, 0.0)).steps.size(), 132);
    QCOMPARE(record(sim::Plan::pulseTrain(0.0, 20.0)).steps.size(), 132);
    QCOMPARE(record(sim::Plan::stepper(sim::Plan::longestStep, twoSeries)).steps.size(), 132);
    QCOMPARE(sim::Plan::stepper(sim::Plan::shortestStep, twoSeries).seriesCount(), std::size_t(2));
}

// A plan is data: the player may run it twice and get the same steps.
void tst_Plan::replayable()
{
    const sim::Plan plan = sim::Plan::stepper(6.25, twoSeries);

    const simtest::Recording first = record(plan);
    const simtest::Recording second = record(plan);
    QVERIFY(first.ended);
    QCOMPARE(first.steps.size(), second.steps.size());
    QVERIFY(first.steps == second.steps);
    QVERIFY(sim::Plan::Iterator() == plan.end());
}

// Traces nest inside one another's pauses; a running iteration must not depend on the plan
// object it came from.
void tst_Plan::iteratorOutlivesPlan()
{
    std::optional<sim::Plan> plan = sim::Plan::pulseTrain(6.0, 10.0);
    auto it = plan->begin();
    plan.reset();

    int steps = 0;
    double lastX = -1.0;
    for (; it != std::default_sentinel; ++it) {
        ++steps;
        lastX = it->x;
    }
    QCOMPARE(steps, 132);
    QCOMPARE(lastX, 120.0);
}

// About 10^5 point steps: many motor steps share each sample and the run still reaches 101.
void tst_Plan::shortStepsEnd()
{
    const simtest::Recording recording = record(sim::Plan::stepper(1e-3, twoSeries));

    QVERIFY(recording.ended);
    QVERIFY(recording.steps.last().x >= 101.0);
    QVERIFY(recording.steps.size() > 100'000);
}

QTEST_APPLESS_MAIN(tst_Plan)
#include "tst_plan.moc"
