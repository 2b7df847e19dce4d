// SPDX-License-Identifier: GPL-3.0-or-later
// What the user sees and moves, read from the window's own pixels and items: the lit parts of
// the circuit pictures, the numbers on the charts' axes, the track bar under mouse and keys.

#include "tracewatch.h"

#include "toolkit/chart.h"

#include <QChartView>
#include <QGraphicsTextItem>
#include <QGraphicsView>
#include <QLocale>
#include <QScreen>
#include <QTest>

#include <memory>

namespace {

// The pixels of @p widget as the screen shows them now: what every repaint so far left there.
QImage onScreen(const QWidget *widget)
{
    const QPoint at = widget->mapTo(widget->window(), QPoint(0, 0));
    return widget->screen()
        ->grabWindow(widget->window()->winId(), at.x(), at.y(), widget->width(), widget->height())
        .toImage();
}

// Strongly red pixels: the lit parts of a picture. With @p solid, only those amid a 9 × 9 square
// of red, which a part filled with the light's colour gives by the hundred and a part drawn in
// it hardly ever (where its lines meet).
int redPixels(const QImage &image, bool solid = false)
{
    const int r = solid ? 4 : 0;
    int count = 0;
    for (int y = r; y < image.height() - r; ++y) {
        for (int x = r; x < image.width() - r; ++x) {
            bool red = true;
            for (int i = 0; i < (2 * r + 1) * (2 * r + 1) && red; ++i) {
                const QColor c = image.pixelColor(x + i % (2 * r + 1) - r, y + i / (2 * r + 1) - r);
                red = c.red() > 170 && c.green() < 90 && c.blue() < 90;
            }
            count += red;
        }
    }
    return count;
}

// What is wrong with the labels an axis of @p chart draws between @p from and @p to (scene
// coordinates, the labels' centres) for the range @p range: every label a number written in
// full, both ends and at least one mark between them.
QString axisFault(const QList<QGraphicsTextItem *> &labels, const QRectF &where,
                  toolkit::Chart::Range range)
{
    const double span = range.max - range.min;
    bool low = false, high = false, between = false;
    QStringList texts;
    for (const QGraphicsTextItem *label : labels) {
        if (!where.contains(label->sceneBoundingRect().center()))
            continue;
        const QString text = label->toPlainText();
        if (text.isEmpty())
            continue;
        texts << text;
        bool number = false;
        const double value = text.toDouble(&number);
        if (!number)
            return QStringLiteral("label '%1' is not a number written in full").arg(text);
        const bool atLow = std::abs(value - range.min) <= span / 100;
        const bool atHigh = std::abs(value - range.max) <= span / 100;
        low |= atLow;
        high |= atHigh;
        between |= !atLow && !atHigh && value > range.min && value < range.max;
    }
    if (!low || !high || !between)
        return QStringLiteral("%1..%2 drawn as %3")
            .arg(range.min)
            .arg(range.max)
            .arg(texts.join(u' '));
    return {};
}

QString chartFault(toolkit::Chart *chart)
{
    auto *view = chart->findChild<QChartView *>();
    const QRectF plot = view->chart()->plotArea();
    QList<QGraphicsTextItem *> labels;
    for (QGraphicsItem *item : view->scene()->items()) {
        if (auto *text = dynamic_cast<QGraphicsTextItem *>(item); text && text->isVisible())
            labels << text;
    }
    const QRectF left(0, plot.top() - 8, plot.left(), plot.height() + 16);
    const QRectF bottom(plot.left() - 30, plot.bottom(), plot.width() + 60, 40);
    const QString fault = axisFault(labels, left, chart->leftRange());
    return fault.isEmpty() ? axisFault(labels, bottom, chart->bottomRange()) : fault;
}

// How many rows of @p image hold dark ink inside the box filled with the read-outs' green, over
// the box's height.
double readoutInkShare(const QImage &image)
{
    const auto isFill = [&](int x, int y) {
        const QColor c = image.pixelColor(x, y);
        return std::abs(c.red() - 0x7f) + std::abs(c.green() - 0xd4) + std::abs(c.blue() - 0x7f)
            < 24;
    };
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            box |= isFill(x, y) ? QRect(x, y, 1, 1) : QRect();
    }
    int top = box.bottom(), bottom = box.top() - 1;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() < 110 && c.green() < 150 && c.blue() < 110)
                top = std::min(top, y), bottom = std::max(bottom, y);
        }
    }
    return box.isEmpty() ? 0.0 : std::max(0, bottom - top + 1) / double(box.height());
}

} // namespace

class TestSeen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void litPartsComeAndGoOnScreen_data();
    void litPartsComeAndGoOnScreen();
    void everyAxisDrawsItsNumbers();
    void trackBarUnderMouseAndKeys();
};

void TestSeen::litPartsComeAndGoOnScreen_data()
{
    QTest::addColumn<int>("tab");
    for (int tab = 1; tab <= 4; ++tab)
        QTest::addRow("tab %d", tab) << tab;
}

// A step that lights a part in red shows it whole on the screen, its lines drawn in red; a step
// that lights none, and the end of the trace, take it away again. The display reads well.
void TestSeen::litPartsComeAndGoOnScreen()
{
    QFETCH(int, tab);
    TForm2 f;
    f.pause().setInterval(std::chrono::milliseconds(1));
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.TabControl1->setCurrentIndex(tab - 1);
    const TraceTab t(f, tab);
    t.montage->click();
    QTRY_COMPARE_WITH_TIMEOUT(t.panel->x(), 0, 20000);
    t.prepare(50);
    const int own = redPixels(onScreen(t.picture)); // the drawing's own red
    bool wasRed = false;
    int comings = 0, goings = 0;
    QString wrong;
    StepWatch watch(&f);
    watch.onEveryStep([&](int step) {
        // The screen shows what the picture drawn afresh shows: every lit part, nothing left over.
        const int drawn = redPixels(t.picture->grab().toImage());
        const bool red = drawn > own;
        if (red == wasRed || !wrong.isEmpty() || comings + goings >= 6)
            return;
        wasRed = red;
        (red ? comings : goings) += 1;
        const auto seen = [&] { return std::abs(redPixels(onScreen(t.picture)) - drawn) <= 20; };
        if (!QTest::qWaitFor(seen, 10000))
            wrong = QStringLiteral("step %1: red %2").arg(step).arg(red ? "missing" : "left");
        else if (red && redPixels(onScreen(t.picture), true) > 20)
            wrong = QStringLiteral("step %1: a lit part filled with red").arg(step);
    });
    t.button->click();
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    QVERIFY(comings > 0);
    QVERIFY(goings > 0 || tab != 1); // elsewhere something conducts at every point
    QTRY_COMPARE_WITH_TIMEOUT(redPixels(onScreen(t.picture)), own, 10000);

    // The display's longest text fills its box's height, as the drawing's labels fill theirs.
    t.picture->setReadoutText(tab <= 2 ? QStringLiteral("+12000 tr/min")
                                       : QStringLiteral("-18270°"));
    QTRY_VERIFY_WITH_TIMEOUT(readoutInkShare(onScreen(t.picture)) > 0.6, 10000);
}

// The numbers on each axis of every chart, as drawn, zoomed in too: both ends and marks between
// them, none cut.
void TestSeen::everyAxisDrawsItsNumbers()
{
    TForm2 f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    int charts = 0;
    for (int tab = 0; tab < f.TabControl1->count(); ++tab) {
        f.TabControl1->setCurrentIndex(tab);
        for (toolkit::Chart *chart : f.findChildren<toolkit::Chart *>()) {
            if (!chart->isVisible())
                continue;
            ++charts;
            QTRY_COMPARE_WITH_TIMEOUT(chartFault(chart), QString(), 10000);
            // Zoomed in, the numbers grow decimals and take more room.
            const toolkit::Chart::Range b = chart->bottomRange(), l = chart->leftRange();
            chart->zoomTo(QRectF(b.min + 0.137 * (b.max - b.min), l.min + 0.137 * (l.max - l.min),
                                 0.724 * (b.max - b.min), 0.724 * (l.max - l.min)));
            QTRY_COMPARE_WITH_TIMEOUT(chartFault(chart), QString(), 10000);
            chart->resetZoom();
        }
    }
    QVERIFY(charts >= 4);
}

// Dragged by its thumb, and moved with the arrow, page, Home and End keys: the box shows the
// value and the next trace runs at it.
void TestSeen::trackBarUnderMouseAndKeys()
{
    TForm2 f;
    f.pause().setInterval(std::chrono::milliseconds(1));
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const TraceTab t(f, 1);
    QWidget *slider = t.bar->focusProxy();
    QVERIFY(slider);
    moveTo(t.bar, 0);
    const int y = slider->height() / 2;
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(3, y));
    QTest::mouseMove(slider, QPoint(slider->width() / 4, y));
    QTest::mouseMove(slider, QPoint(slider->width() / 2, y));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(slider->width() / 2, y));
    const double dragged = t.bar->value();
    QVERIFY2(dragged >= 45 && dragged <= 55, qPrintable(QString::number(dragged)));
    QCOMPARE(t.box->text(), QString::number(dragged));

    double expected = dragged;
    for (const auto &[key, move] : {std::pair {Qt::Key_Right, 1},
                                    {Qt::Key_PageUp, 10},
                                    {Qt::Key_Left, -1},
                                    {Qt::Key_PageDown, -10},
                                    {Qt::Key_End, 200},
                                    {Qt::Key_Home, -200}}) {
        QTest::keyClick(slider, key);
        expected = std::clamp(expected + move, 0.0, 100.0);
        QCOMPARE(t.bar->value(), expected);
        QCOMPARE(t.box->text(), QString::number(expected));
    }
    moveTo(t.bar, 0); // and back with the keys: a change the handler sees
    QTest::keyClick(slider, Qt::Key_PageUp);
    QTest::keyClick(slider, Qt::Key_Right);
    t.button->click();
    QCOMPARE(pointsIn(t.series), planned(1, 11));
}

QTEST_MAIN(TestSeen)
#include "tst_seen.moc"
