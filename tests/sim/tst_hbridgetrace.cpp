// SPDX-License-Identifier: GPL-3.0-or-later
#include "planrecording.h"

#include "sim/dcmotor.h"
#include "sim/hbridgetrace.h"

#include <QTest>

using simtest::record;
using simtest::series;

class tst_HBridgeTrace : public QObject
{
    Q_OBJECT

private:
    void tickRows();

private Q_SLOTS:
    void levels_data() { tickRows(); }
    void levels();
    void directionRun_data() { tickRows(); }
    void directionRun();
    void highWidthTruncation_data();
    void highWidthTruncation();
    void fractionalTrackValue();
    void negativeRunAtFifty();
};

static constexpr float notWritten = -1.0f;

// The tick marks of the track bar. The Duration assumes the track bar sits exactly on the
// percentage; at 0 % the run leaves the animation alone.
void tst_HBridgeTrace::tickRows()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<double>("highWidth");
    QTest::addColumn<int>("highPoints");
    QTest::addColumn<int>("lowPoints");
    QTest::addColumn<double>("positiveAverage");
    QTest::addColumn<double>("negativeAverage");
    QTest::addColumn<float>("duration");

    QTest::newRow("0") << 0 << 0.0 << 1 << 21 << 0.0 << 0.0 << notWritten;
    QTest::newRow("10") << 10 << 2.0 << 3 << 19 << 1.2 << -1.2 << 0.9f;
    QTest::newRow("20") << 20 << 4.0 << 5 << 17 << 2.4 << -2.4 << 0.8f;
    QTest::newRow("30") << 30 << 6.0 << 7 << 15 << 3.6 << -3.6 << 0.7f;
    QTest::newRow("40") << 40 << 8.0 << 9 << 13 << 4.8 << -4.8 << 0.6f;
    QTest::newRow("50") << 50 << 10.0 << 11 << 11 << 6.0 << -6.0 << 0.5f;
    QTest::newRow("60") << 60 << 12.0 << 13 << 9 << 7.2 << -7.2 << 0.4f;
    QTest::newRow("70") << 70 << 14.0 << 15 << 7 << 8.4 << -8.4 << 0.3f;
    QTest::newRow("80") << 80 << 16.0 << 17 << 5 << 9.6 << -9.6 << 0.2f;
    QTest::newRow("90") << 90 << 18.0 << 19 << 3 << 10.8 << -10.8 << 0.1f;
    QTest::newRow("100") << 100 << 20.0 << 21 << 1 << 12.0 << -12.0 << 0.0f;
}

void tst_HBridgeTrace::levels()
{
    QFETCH(int, percent);
    QFETCH(double, highWidth);
    QFETCH(double, positiveAverage);
    QFETCH(double, negativeAverage);
    QFETCH(float, duration);

    QCOMPARE(sim::dc::highWidth(percent), highWidth);
    QCOMPARE(sim::hbridge::averageLevel(percent, sim::hbridge::positiveSupply), positiveAverage);
    QCOMPARE(sim::hbridge::averageLevel(percent, sim::hbridge::negativeSupply), negativeAverage);
    if (duration != notWritten)
        QCOMPARE(sim::dc::shaftDuration(percent), duration);
}

// Six periods of 22 point steps each; the pulsed level is +12 whatever the direction, only the
// average carries the sign.
void tst_HBridgeTrace::directionRun()
{
    QFETCH(int, percent);
    QFETCH(int, highPoints);
    QFETCH(int, lowPoints);
    QFETCH(double, positiveAverage);
    QFETCH(double, negativeAverage);

    const struct
    {
        double supply;
        double average;
    } runs[] = {{sim::hbridge::positiveSupply, positiveAverage},
                {sim::hbridge::negativeSupply, negativeAverage}};

    for (const auto &run : runs) {
        const sim::Plan plan = sim::hbridge::runPlan(percent, run.supply);
        const simtest::Recording recording = record(plan);
        QVERIFY(recording.ended);
        QCOMPARE(plan.seriesCount(), std::size_t(2));
        QVERIFY(!plan.initialAngleText());
        QCOMPARE(recording.steps.size(), 132);
        QCOMPARE(recording.steps.last().x, 120.0);

        for (const QPointF &point : series(recording.steps, 0))
            QCOMPARE(point.y(), run.average);

        const QList<QPointF> pulsed = series(recording.steps, 1);
        for (int period = 0; period < 6; ++period) {
            const QList<QPointF> points = pulsed.mid(period * 22, 22);
            QCOMPARE(points.first().x(), 20.0 * period);
            QCOMPARE(points.last().x(), 20.0 * period + 20.0);
            int high = 0;
            int low = 0;
            for (const QPointF &point : points) {
                high += point.y() == 12.0;
                low += point.y() == 0.0;
            }
            QCOMPARE(high, highPoints);
            QCOMPARE(low, lowPoints);
        }
        for (qsizetype i = 1; i < pulsed.size(); ++i)
            QVERIFY(pulsed.at(i).x() >= pulsed.at(i - 1).x());
    }
}

void tst_HBridgeTrace::highWidthTruncation_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<double>("highWidth");

    QTest::newRow("99") << 99 << 19.0;
    QTest::newRow("5") << 5 << 1.0;
    QTest::newRow("4") << 4 << 0.0;
    QTest::newRow("below range") << -30 << 0.0;
    QTest::newRow("above range") << 400 << 20.0;
}

void tst_HBridgeTrace::highWidthTruncation()
{
    QFETCH(int, percent);
    QFETCH(double, highWidth);

    QCOMPARE(sim::dc::highWidth(percent), highWidth);
}

// The stored percentage is truncated while the shaft's period follows the exact value.
void tst_HBridgeTrace::fractionalTrackValue()
{
    const int percent = sim::dc::truncatedPercent(37.5);

    QCOMPARE(percent, 37);
    QCOMPARE(sim::hbridge::averageLevel(percent, sim::hbridge::positiveSupply), 4.44);
    QCOMPARE(sim::dc::highWidth(percent), 7.0);
    QCOMPARE(sim::dc::shaftDuration(37.5), 0.625f);
}

void tst_HBridgeTrace::negativeRunAtFifty()
{
    const QList<QPointF> pulsed =
        series(record(sim::hbridge::runPlan(50, sim::hbridge::negativeSupply)).steps, 1);

    const QList<QPointF> opening {{0, 12}, {1, 12}, {2, 12}, {3, 12}, {4, 12},  {5, 12},
                                  {6, 12}, {7, 12}, {8, 12}, {9, 12}, {10, 12}, {10, 0}};
    QCOMPARE(pulsed.first(opening.size()), opening);
}

QTEST_APPLESS_MAIN(tst_HBridgeTrace)
#include "tst_hbridgetrace.moc"
