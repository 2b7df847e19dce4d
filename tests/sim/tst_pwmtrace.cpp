// SPDX-License-Identifier: GPL-3.0-or-later
#include "planrecording.h"

#include "sim/dcmotor.h"
#include "sim/pwmtrace.h"

#include <QTest>

#include <limits>

using simtest::record;
using simtest::series;

class tst_PwmTrace : public QObject
{
    Q_OBJECT

private:
    void levelRows();

private Q_SLOTS:
    void levels_data() { levelRows(); }
    void levels();
    void truncatedPercent_data();
    void truncatedPercent();
    void pointSequence_data() { levelRows(); }
    void pointSequence();
    void needlesAtZero();
    void spikesAtHundred();
    void openingAtFifty();
};

// The tick marks of the track bar, plus 37 % where both divisions truncate.
void tst_PwmTrace::levelRows()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<double>("highWidth");
    QTest::addColumn<double>("average");

    QTest::newRow("0") << 0 << 0.0 << 0.0;
    QTest::newRow("10") << 10 << 2.0 << 1.0;
    QTest::newRow("20") << 20 << 4.0 << 2.0;
    QTest::newRow("30") << 30 << 6.0 << 3.0;
    QTest::newRow("37") << 37 << 7.0 << 4.0;
    QTest::newRow("40") << 40 << 8.0 << 4.0;
    QTest::newRow("50") << 50 << 10.0 << 6.0;
    QTest::newRow("60") << 60 << 12.0 << 7.0;
    QTest::newRow("70") << 70 << 14.0 << 8.0;
    QTest::newRow("80") << 80 << 16.0 << 9.0;
    QTest::newRow("90") << 90 << 18.0 << 10.0;
    QTest::newRow("100") << 100 << 20.0 << 12.0;
}

void tst_PwmTrace::levels()
{
    QFETCH(int, percent);
    QFETCH(double, highWidth);
    QFETCH(double, average);

    QCOMPARE(sim::dc::highWidth(percent), highWidth);
    QCOMPARE(sim::pwm::averageLevel(percent), average);
}

void tst_PwmTrace::truncatedPercent_data()
{
    QTest::addColumn<double>("trackValue");
    QTest::addColumn<int>("percent");

    QTest::newRow("whole") << 40.0 << 40;
    QTest::newRow("fraction") << 37.5 << 37;
    QTest::newRow("just below a tick") << 99.9 << 99;
    QTest::newRow("just above zero") << 0.4 << 0;
    QTest::newRow("top") << 100.0 << 100;
    QTest::newRow("negative") << -5.5 << 0;
    QTest::newRow("above range") << 250.0 << 100;
    QTest::newRow("beyond int") << 1e12 << 100;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << 0;
}

void tst_PwmTrace::truncatedPercent()
{
    QFETCH(double, trackValue);
    QFETCH(int, percent);

    QCOMPARE(sim::dc::truncatedPercent(trackValue), percent);
}

// Every trace is six periods of 22 points: H + 1 high points at x = s .. s + H, then 21 - H low
// points at x = s + H .. s + 20, for s = 0, 20, ... 100; the average line is flat.
void tst_PwmTrace::pointSequence()
{
    QFETCH(int, percent);
    QFETCH(double, highWidth);
    QFETCH(double, average);

    QList<QPointF> expectedCommand;
    QList<QPointF> expectedAverage;
    const int h = int(highWidth);
    for (int s = 0; s <= 100; s += 20) {
        for (int x = s; x <= s + h; ++x)
            expectedCommand.append(QPointF(x, 12.0));
        for (int x = s + h; x <= s + 20; ++x)
            expectedCommand.append(QPointF(x, 0.0));
    }
    for (const QPointF &point : expectedCommand)
        expectedAverage.append(QPointF(point.x(), average));

    const sim::Plan plan = sim::pwm::plan(percent);
    const simtest::Recording recording = record(plan);
    QVERIFY(recording.ended);
    QCOMPARE(plan.seriesCount(), std::size_t(2));
    QCOMPARE(recording.steps.size(), 132);
    QCOMPARE(recording.steps.last().x, 120.0);
    QCOMPARE(series(recording.steps, 0), expectedAverage);
    QCOMPARE(series(recording.steps, 1), expectedCommand);

    QVERIFY(!plan.initialAngleText());
    for (const sim::Step &step : recording.steps) {
        QVERIFY(!step.rotorAngle);
        QVERIFY(!step.angleText);
    }
}

void tst_PwmTrace::needlesAtZero()
{
    const QList<QPointF> command = series(record(sim::pwm::plan(0)).steps, 1);

    QCOMPARE(command.mid(0, 2), (QList<QPointF> {{0, 12}, {0, 0}}));
    for (int s = 20; s <= 100; s += 20) {
        const qsizetype at = command.indexOf(QPointF(s, 0));
        QCOMPARE(command.mid(at, 3),
                 (QList<QPointF> {{double(s), 0}, {double(s), 12}, {double(s), 0}}));
    }
    QList<double> needles;
    for (const QPointF &point : command) {
        if (point.y() == 12.0)
            needles.append(point.x());
    }
    QCOMPARE(needles, (QList<double> {0, 20, 40, 60, 80, 100}));
}

void tst_PwmTrace::spikesAtHundred()
{
    const QList<QPointF> command = series(record(sim::pwm::plan(100)).steps, 1);

    QCOMPARE(command.first(), QPointF(0, 12));
    for (int s = 20; s <= 100; s += 20) {
        const qsizetype at = command.indexOf(QPointF(s, 0));
        QCOMPARE(command.mid(at - 1, 3),
                 (QList<QPointF> {{double(s), 12}, {double(s), 0}, {double(s), 12}}));
    }
    QCOMPARE(command.last(2), (QList<QPointF> {{120, 12}, {120, 0}}));
    QList<double> spikes;
    for (const QPointF &point : command) {
        if (point.y() == 0.0)
            spikes.append(point.x());
    }
    QCOMPARE(spikes, (QList<double> {20, 40, 60, 80, 100, 120}));
}

void tst_PwmTrace::openingAtFifty()
{
    const simtest::Recording recording = record(sim::pwm::plan(50));
    const QList<QPointF> expected {{0, 12}, {1, 12}, {2, 12}, {3, 12}, {4, 12},  {5, 12},
                                   {6, 12}, {7, 12}, {8, 12}, {9, 12}, {10, 12}, {10, 0},
                                   {11, 0}, {12, 0}, {13, 0}, {14, 0}, {15, 0},  {16, 0},
                                   {17, 0}, {18, 0}, {19, 0}, {20, 0}, {20, 12}, {21, 12}};

    QCOMPARE(series(recording.steps, 1).first(expected.size()), expected);
    // The average goes first in every step: its series is the one listed first.
    QCOMPARE(recording.steps.first().y, (std::vector<double> {6.0, 12.0}));
}

QTEST_APPLESS_MAIN(tst_PwmTrace)
#include "tst_pwmtrace.moc"
