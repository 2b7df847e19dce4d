// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/chart.h"

#include <QGraphicsView>
#include <QTest>

using toolkit::Chart;

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

} // namespace

class TestChart : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void automaticColoursComeFromThePalette();
    void dragTowardsLowerRightZooms();
    void dragTowardsUpperLeftGivesTheFixedRangesBack();
    void aClickDoesNotZoom();
};

void TestChart::automaticColoursComeFromThePalette()
{
    Chart chart;
    auto *first = chart.addSeries(QStringLiteral("a"), QStringLiteral("A"));
    auto *named = chart.addSeries(QStringLiteral("b"), QStringLiteral("B"), QColor(Qt::blue));
    auto *third = chart.addSeries(QStringLiteral("c"), QStringLiteral("C"));
    QCOMPARE(named->colour(), QColor(Qt::blue));
    QVERIFY(first->colour() != third->colour());
    QVERIFY(first->colour() != QColor(Qt::cyan)); // never the charts' background
    const QColor before = first->colour();
    chart.setPaletteIndex(13);
    QVERIFY(first->colour() != before);
    QCOMPARE(named->colour(), QColor(Qt::blue)); // a colour of its own stays
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

QTEST_MAIN(TestChart)
#include "tst_chart.moc"
