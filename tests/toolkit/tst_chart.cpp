// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/axisticks.h"
#include "toolkit/chart.h"
#include "toolkit/polylineitem.h"

#include <QChartView>
#include <QLineSeries>
#include <QScreen>
#include <QTest>

using toolkit::Chart;
using toolkit::LineSeries;
using Points = QList<QPointF>;

namespace {

// The largest channel difference between what the two charts' windows show now: what every
// repaint so far left there.
int largestDifference(Chart &a, Chart &b)
{
    const QImage p = a.screen()->grabWindow(a.winId()).toImage();
    const QImage q = b.screen()->grabWindow(b.winId()).toImage();
    int largest = p.size() == q.size() ? 0 : 255;
    for (int y = 0; y < p.height(); ++y) {
        for (int x = 0; x < p.width(); ++x) {
            const QRgb s = p.pixel(x, y), t = q.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(s) - qRed(t)),
                                std::abs(qGreen(s) - qGreen(t)), std::abs(qBlue(s) - qBlue(t))});
        }
    }
    return largest;
}

// The scene hands its changes to the view on one pass, the view paints on the next.
void letEventsThrough()
{
    for (int pass = 0; pass < 3; ++pass)
        QCoreApplication::processEvents();
}

} // namespace

class TestChart : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keepsPointsInOrder();
    void drawsPointByPointAsTheChartingModule();
    void dragZoomsInAndBackOut();
    void axisMarks();
};

// Points of equal x stay in the order they came: they draw the vertical edges of the square
// waves. A lower x goes after its equals where x is kept ascending, where it came otherwise.
void TestChart::keepsPointsInOrder()
{
    const Points edges {{0, 12}, {1, 12}, {1, 0}, {2, 0}, {2, 12}, {2, 0}, {1, 5}};
    for (const auto order : {LineSeries::XOrder::None, LineSeries::XOrder::Ascending}) {
        Chart chart;
        LineSeries *series = chart.addSeries(QStringLiteral("s"), QStringLiteral("S"), {}, order);
        for (const QPointF &p : edges)
            series->AddXY(p.x(), p.y());
        Points kept = edges;
        if (order == LineSeries::XOrder::Ascending)
            kept.move(6, 3);
        QCOMPARE(series->points(), kept);
    }
}

// Once drawn, the lines look exactly as the charting module draws its own series (color,
// width, clipping, vertical edges, a point out of order, zoom), although each new point repaints
// only what it changed.
void TestChart::drawsPointByPointAsTheChartingModule()
{
    Points points; // a coil's levels on tab 3 at 99 %: fractional steps with vertical edges
    for (int i = 0; i < 500; ++i) {
        points.append({0.08 * i, 5.0 * (i / 4 % 2)});
        if (i % 4 == 3)
            points.append({0.08 * i, 5.0 * ((i / 4 + 1) % 2)});
    }
    points << QPointF(7.5, 6) << QPointF(41, 9) << QPointF(42, -3); // out of order, off the axes
    Chart ours, module; // ours point by point, the module's all at once
    for (Chart *chart : {&ours, &module}) {
        chart->resize(769, 118);
        chart->setFixedRanges({0, 100}, {0, 7});
        chart->addSeries(QStringLiteral("a"), QStringLiteral("A"), QColor(Qt::red));
        chart->addSeries(QStringLiteral("b"), QStringLiteral("B"), {},
                         LineSeries::XOrder::Ascending);
        chart->series().constFirst()->AddXY(20, 3);
        chart->series().constFirst()->AddXY(20, 4);
        chart->show();
        QVERIFY(QTest::qWaitForWindowExposed(chart));
        chart->zoomTo(QRectF(QPointF(5, 1), QPointF(45, 6)));
    }
    letEventsThrough();
    for (const QPointF &p : points) {
        ours.series().constLast()->AddXY(p.x(), p.y());
        letEventsThrough();
    }
    QChartView *view = module.findChild<QChartView *>();
    for (QGraphicsItem *item : view->scene()->items()) {
        if (dynamic_cast<toolkit::PolylineItem *>(item))
            item->hide();
    }
    const QList<QAbstractSeries *> moduleSeries = view->chart()->series();
    for (qsizetype i = 0; i < moduleSeries.size(); ++i)
        static_cast<QLineSeries *>(moduleSeries.at(i))->replace(ours.series().at(i)->points());
    letEventsThrough();
    // While the series grows, the edges of the repainted parts may shift a few pixels by a
    // shade; once it is still, every pixel is the module's.
    QVERIFY(largestDifference(ours, module) <= 16);
    QTRY_COMPARE(largestDifference(ours, module), 0);
}

// Towards the lower right zooms in, towards the upper left gives the fixed ranges back, a click
// does nothing.
void TestChart::dragZoomsInAndBackOut()
{
    Chart chart;
    chart.resize(769, 271);
    chart.setFixedRanges({0, 100}, {-14, 14});
    chart.addSeries(QStringLiteral("a"), QStringLiteral("A"));
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    QWidget *surface = chart.findChild<QGraphicsView *>()->viewport();
    const auto drag = [&](QPoint from, QPoint to) {
        QTest::mousePress(surface, Qt::LeftButton, {}, from);
        QTest::mouseMove(surface, (from + to) / 2);
        QTest::mouseMove(surface, to);
        QTest::mouseRelease(surface, Qt::LeftButton, {}, to);
    };
    drag({200, 100}, {201, 101});
    QCOMPARE(chart.bottomRange(), Chart::Range({0, 100}));
    drag({150, 60}, {300, 180});
    QVERIFY(chart.bottomRange().min > 0 && chart.bottomRange().max < 100);
    QVERIFY(chart.leftRange().min > -14 && chart.leftRange().max < 14);
    drag({300, 180}, {150, 60});
    QCOMPARE(chart.bottomRange(), Chart::Range({0, 100}));
    QCOMPARE(chart.leftRange(), Chart::Range({-14, 14}));
}

// Both ends always carry their numbers, rounded by a hundredth of the range at most; the marks
// between them are round, ascending and never closer than the spacing asked for, the ends
// included.
void TestChart::axisMarks()
{
    const double spacing = 30;
    for (const auto &[min, max] :
         {std::pair {0.0, 100.0}, {-14.0, 14.0}, {0.0, 7.0}, {12.34, 47.84}, {-3.71, 5.42}, {0.959, 3.5}}) {
        for (double pixels : {60, 100, 130, 200, 271, 400, 769, 1000}) {
            const QList<toolkit::AxisTick> ticks = toolkit::axisTicks(min, max, pixels, spacing, 9);
            const QString at = QStringLiteral("%1..%2 over %3").arg(min).arg(max).arg(pixels);
            QVERIFY2(ticks.size() >= 2 && ticks.size() <= 9, qPrintable(at));
            QCOMPARE(ticks.first().value, min);
            QCOMPARE(ticks.last().value, max);
            for (qsizetype i = 0; i < ticks.size(); ++i) {
                const double gap =
                    i == 0 ? spacing : (ticks[i].value - ticks[i - 1].value) * pixels / (max - min);
                QVERIFY2(std::abs(ticks[i].label.toDouble() - ticks[i].value) <= (max - min) / 100
                             && gap >= spacing - 1e-9,
                         qPrintable(at + QStringLiteral(": ") + ticks[i].label));
            }
        }
    }
}

QTEST_MAIN(TestChart)
#include "tst_chart.moc"
