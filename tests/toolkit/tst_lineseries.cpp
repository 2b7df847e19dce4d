// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/chart.h"

#include <QTest>

using toolkit::Chart;
using toolkit::LineSeries;
using Points = QList<QPointF>;

class TestLineSeries : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keepsPointsInOrder_data();
    void keepsPointsInOrder();
    void clearRemovesEverything();
};

void TestLineSeries::keepsPointsInOrder_data()
{
    QTest::addColumn<LineSeries::XOrder>("order");
    QTest::addColumn<Points>("added");
    QTest::addColumn<Points>("kept");

    const Points squareWave = {{0, 12}, {1, 12}, {1, 0}, {2, 0}, {2, 12}, {3, 12}};
    QTest::newRow("unordered: vertical edges")
        << LineSeries::XOrder::None << squareWave << squareWave;
    QTest::newRow("ascending: vertical edges keep their order")
        << LineSeries::XOrder::Ascending << squareWave << squareWave;
    QTest::newRow("ascending: three points on one x")
        << LineSeries::XOrder::Ascending << Points {{20, 12}, {20, 0}, {20, 12}}
        << Points {{20, 12}, {20, 0}, {20, 12}};
    QTest::newRow("ascending: a lower x goes before, after its equals")
        << LineSeries::XOrder::Ascending << Points {{5, 1}, {3, 2}, {3, 3}, {4, 4}, {0, 5}}
        << Points {{0, 5}, {3, 2}, {3, 3}, {4, 4}, {5, 1}};
    QTest::newRow("unordered: a lower x stays where it was added")
        << LineSeries::XOrder::None << Points {{5, 1}, {3, 2}} << Points {{5, 1}, {3, 2}};
}

void TestLineSeries::keepsPointsInOrder()
{
    QFETCH(LineSeries::XOrder, order);
    QFETCH(Points, added);
    QFETCH(Points, kept);
    Chart chart;
    LineSeries *series = chart.addSeries(QStringLiteral("s"), QStringLiteral("S"), {}, order);
    for (const QPointF &p : added)
        series->AddXY(p.x(), p.y());
    QCOMPARE(series->points(), kept);
    QCOMPARE(series->count(), kept.size());
}

void TestLineSeries::clearRemovesEverything()
{
    Chart chart;
    LineSeries *series = chart.addSeries(QStringLiteral("s"), QStringLiteral("S"));
    for (int x = 0; x < 10; ++x)
        series->AddXY(x, 1);
    series->Clear();
    QCOMPARE(series->count(), 0);
    series->AddXY(7, 2);
    QCOMPARE(series->points(), Points({{7, 2}}));
}

QTEST_MAIN(TestLineSeries)
#include "tst_lineseries.moc"
