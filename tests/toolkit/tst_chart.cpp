// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/chart.h"
#include "toolkit/polylineitem.h"

#include <QChartView>
#include <QGraphicsTextItem>
#include <QGraphicsView>
#include <QLineSeries>
#include <QScreen>
#include <QTest>

#include <algorithm>

using toolkit::Chart;
using toolkit::LineSeries;
using Points = QList<QPointF>;

namespace {

QWidget *drawingSurface(Chart &chart)
{
    return chart.findChild<QGraphicsView *>()->viewport();
}

void drag(QWidget *surface, QPoint from, QPoint to)
{
    QTest::mousePress(surface, Qt::LeftButton, {}, from);
    QTest::mouseMove(surface, (from + to) / 2);
    QTest::mouseMove(surface, to);
    QTest::mouseRelease(surface, Qt::LeftButton, {}, to);
}

// The numbers the axes show now, each axis's from its lowest to its highest value.
struct ShownNumbers
{
    QList<double> bottom;
    QList<double> left;
};

ShownNumbers shownNumbers(Chart &chart)
{
    QList<std::pair<QRectF, double>> numbers;
    for (QGraphicsItem *item : chart.findChild<QGraphicsView *>()->scene()->items()) {
        const auto *text = dynamic_cast<QGraphicsTextItem *>(item);
        bool isNumber = false;
        const double value = text ? text->toPlainText().toDouble(&isNumber) : 0.0;
        if (isNumber && text->isVisible())
            numbers.append({text->sceneBoundingRect(), value});
    }
    // The bottom axis's labels share the lowest line of numbers.
    double lowest = 0.0;
    for (const auto &[rect, value] : std::as_const(numbers))
        lowest = std::max(lowest, rect.center().y());
    ShownNumbers shown;
    for (const auto &[rect, value] : std::as_const(numbers))
        (rect.center().y() > lowest - 2.0 ? shown.bottom : shown.left).append(value);
    std::sort(shown.bottom.begin(), shown.bottom.end());
    std::sort(shown.left.begin(), shown.left.end());
    return shown;
}

// The pixels that the chart's window shows now: what every repaint so far left there. (A fresh
// rendering would hide a region that some repaint missed.)
QImage shown(Chart &chart)
{
    QWidget *window = chart.window();
    return window->screen()->grabWindow(window->winId()).toImage();
}

// The largest difference of one color channel between @p a and @p b, 255 when their sizes
// differ.
int largestDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return 255;
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

void letEventsThrough()
{
    // The scene hands its changes to the view on one pass, the view paints on the next.
    for (int pass = 0; pass < 3; ++pass)
        QCoreApplication::processEvents();
}

// The levels of a coil on tab 3 at 99 %: a square wave of fractional steps, with its vertical
// edges, from @p from to @p to.
Points coilWave(double from, double to)
{
    Points points;
    double y = 0.0;
    for (int i = 0; from + 0.08 * i <= to; ++i) {
        const double x = from + 0.08 * i;
        points.append({x, y});
        if (i % 4 == 3) {
            y = 5.0 - y;
            points.append({x, y});
        }
    }
    return points;
}

} // namespace

class TestChart : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void automaticColorsComeFromThePalette();
    void drawsPointByPointAsTheChartingModule_data();
    void drawsPointByPointAsTheChartingModule();
    void dragTowardsLowerRightZooms();
    void dragTowardsUpperLeftGivesTheFixedRangesBack();
    void aClickDoesNotZoom();
    void bothEndsOfEveryAxisCarryTheirNumbers_data();
    void bothEndsOfEveryAxisCarryTheirNumbers();
};

void TestChart::automaticColorsComeFromThePalette()
{
    Chart chart;
    auto *first = chart.addSeries(QStringLiteral("a"), QStringLiteral("A"));
    auto *named = chart.addSeries(QStringLiteral("b"), QStringLiteral("B"), QColor(Qt::blue));
    auto *third = chart.addSeries(QStringLiteral("c"), QStringLiteral("C"));
    QCOMPARE(named->color(), QColor(Qt::blue));
    QVERIFY(first->color() != third->color());
    QVERIFY(first->color() != QColor(Qt::cyan)); // never the charts' background
    const QColor before = first->color();
    chart.setSeriesPalette(toolkit::SeriesPalette::Modern);
    QVERIFY(first->color() != before);
    QCOMPARE(named->color(), QColor(Qt::blue)); // a color of its own stays
}

void TestChart::drawsPointByPointAsTheChartingModule_data()
{
    QTest::addColumn<Points>("points");
    QTest::addColumn<LineSeries::XOrder>("order");
    QTest::addColumn<QRectF>("zoom");

    const auto none = LineSeries::XOrder::None;
    QTest::newRow("square wave") << coilWave(0, 60) << none << QRectF();
    QTest::newRow("beyond the axes")
        << (coilWave(80, 110) << QPointF(110, 9) << QPointF(112, -3)) << none << QRectF();
    QTest::newRow("zoomed") << coilWave(0, 40) << none << QRectF(QPointF(10, 1), QPointF(23, 6));
    QTest::newRow("a point arriving out of order")
        << (coilWave(0, 20) << QPointF(7.5, 6) << QPointF(21, 1)) << LineSeries::XOrder::Ascending
        << QRectF();
}

// Once drawn, the lines look exactly as the charting module draws its own series (color,
// width, clipping, vertical edges, zoom), although each new point repaints only what it changed.
void TestChart::drawsPointByPointAsTheChartingModule()
{
    QFETCH(Points, points);
    QFETCH(LineSeries::XOrder, order);
    QFETCH(QRectF, zoom);
    // Ours, point by point, and the module's, all at once, on two charts alike.
    Chart charts[2];
    for (Chart &chart : charts) {
        chart.resize(769, 118);
        chart.setFixedRanges({0, 100}, {0, 7});
        chart.addSeries(QStringLiteral("a"), QStringLiteral("A"), QColor(Qt::red));
        chart.addSeries(QStringLiteral("b"), QStringLiteral("B"), {}, order);
        chart.series().constFirst()->AddXY(50, 3);
        chart.series().constFirst()->AddXY(50, 4);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        if (!zoom.isEmpty())
            chart.zoomTo(zoom);
    }
    Chart &ours = charts[0];
    Chart &module = charts[1];
    letEventsThrough();
    for (const QPointF &p : std::as_const(points)) {
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

    // While the series grows, the edges of the repainted parts may shift a few pixels by a shade;
    // once it is still, every pixel is the module's.
    QVERIFY2(largestDifference(shown(ours), shown(module)) <= 16,
             qPrintable(QString::number(largestDifference(shown(ours), shown(module)))));
    QTRY_COMPARE(largestDifference(shown(ours), shown(module)), 0);
}

void TestChart::dragTowardsLowerRightZooms()
{
    Chart chart;
    chart.resize(769, 271);
    chart.setFixedRanges({0, 100}, {0, 14});
    chart.addSeries(QStringLiteral("a"), QStringLiteral("A"));
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));

    drag(drawingSurface(chart), {150, 60}, {300, 180});
    const Chart::Range bottom = chart.bottomRange();
    const Chart::Range left = chart.leftRange();
    QVERIFY(bottom.min > 0 && bottom.max < 100 && bottom.min < bottom.max);
    QVERIFY(left.min > 0 && left.max < 14 && left.min < left.max);
    QCOMPARE(chart.fixedBottomRange(), Chart::Range({0, 100}));
}

void TestChart::dragTowardsUpperLeftGivesTheFixedRangesBack()
{
    Chart chart;
    chart.resize(769, 271);
    chart.setFixedRanges({0, 100}, {-14, 14});
    chart.addSeries(QStringLiteral("a"), QStringLiteral("A"));
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    chart.zoomTo(QRectF(QPointF(10, -2), QPointF(30, 5)));
    QCOMPARE(chart.bottomRange(), Chart::Range({10, 30}));

    drag(drawingSurface(chart), {300, 180}, {150, 60});
    QCOMPARE(chart.bottomRange(), Chart::Range({0, 100}));
    QCOMPARE(chart.leftRange(), Chart::Range({-14, 14}));
}

void TestChart::aClickDoesNotZoom()
{
    Chart chart;
    chart.resize(769, 271);
    chart.setFixedRanges({0, 100}, {0, 7});
    chart.addSeries(QStringLiteral("a"), QStringLiteral("A"));
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    drag(drawingSurface(chart), {200, 100}, {201, 101});
    QCOMPARE(chart.bottomRange(), Chart::Range({0, 100}));
    QCOMPARE(chart.leftRange(), Chart::Range({0, 7}));
}

void TestChart::bothEndsOfEveryAxisCarryTheirNumbers_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRectF>("shown"); // the fixed ranges, or a zoom into them
    QTest::addColumn<QSize>("resizedTo");

    const QSize wide(769, 271);
    QTest::newRow("0..14") << wide << QRectF(0, 0, 100, 14) << QSize();
    QTest::newRow("-14..14") << wide << QRectF(0, -14, 100, 28) << QSize();
    QTest::newRow("0..7, low") << QSize(769, 118) << QRectF(0, 0, 100, 7) << QSize();
    QTest::newRow("-6..6") << QSize(769, 200) << QRectF(0, -6, 100, 12) << QSize();
    QTest::newRow("0..7, made larger")
        << QSize(769, 118) << QRectF(0, 0, 100, 7) << QSize(1000, 400);
    QTest::newRow("-14..14, made smaller") << wide << QRectF(0, -14, 100, 28) << QSize(500, 130);
    QTest::newRow("zoomed") << wide << QRectF(12.34, -3.71, 35.5, 9.13) << QSize();
    QTest::newRow("zoomed, made smaller")
        << wide << QRectF(12.34, -3.71, 35.5, 9.13) << QSize(500, 130);
}

void TestChart::bothEndsOfEveryAxisCarryTheirNumbers()
{
    QFETCH(QSize, size);
    QFETCH(QRectF, shown);
    QFETCH(QSize, resizedTo);
    Chart chart;
    chart.resize(size);
    if (shown.width() == 100)
        chart.setFixedRanges({shown.left(), shown.right()}, {shown.top(), shown.bottom()});
    chart.addSeries(QStringLiteral("a"), QStringLiteral("A"));
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    if (shown.width() != 100)
        chart.zoomTo(shown);
    if (resizedTo.isValid())
        chart.resize(resizedTo);
    QCoreApplication::processEvents();

    const ShownNumbers numbers = shownNumbers(chart);
    const auto ends = [](const QList<double> &values) {
        return values.isEmpty() ? QStringLiteral("none")
                                : QStringLiteral("%1 to %2").arg(values.first()).arg(values.last());
    };
    const auto atEnds = [](const QList<double> &values, double min, double max) {
        const double close = (max - min) / 100.0; // an end label is rounded
        return values.size() >= 2 && std::abs(values.first() - min) <= close
            && std::abs(values.last() - max) <= close;
    };
    QVERIFY2(atEnds(numbers.bottom, shown.left(), shown.right()), qPrintable(ends(numbers.bottom)));
    QVERIFY2(atEnds(numbers.left, shown.top(), shown.bottom()), qPrintable(ends(numbers.left)));
}

QTEST_MAIN(TestChart)
#include "tst_chart.moc"
