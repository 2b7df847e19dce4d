// SPDX-License-Identifier: GPL-3.0-or-later
// The circuit-diagram panels slide in and out over 1 s; their pictures fit their areas.

#include "tracewatch.h"

#include "toolkit/floatanimation.h"
#include "toolkit/image.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QTest>

#include <array>

class TestPanels : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void slidesInAndOut_data();
    void slidesInAndOut();
    void picturesFitTheirArea();
};

void TestPanels::slidesInAndOut_data()
{
    QTest::addColumn<int>("tab");
    for (int tab = 1; tab <= 4; ++tab)
        QTest::addRow("tab %d", tab) << tab;
}

// In, a second "Montage" that changes nothing, out (the panel rests out of view, still shown),
// a second close that changes nothing, and in again from -400.
void TestPanels::slidesInAndOut()
{
    QFETCH(int, tab);
    constexpr int slideEnd = 20000; // slides last 1 s; a loaded machine draws fewer steps of it
    TForm2 f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.TabControl1->setCurrentIndex(tab - 1);
    const TraceTab t(f, tab);
    toolkit::FloatAnimation *in = std::array {f.animationferme11, f.animationferme21,
                                              f.animationferme31, f.animationferme41}[tab - 1];
    toolkit::FloatAnimation *out = std::array {f.animationferme12, f.animationferme22,
                                               f.animationferme32, f.animationferme42}[tab - 1];
    QVERIFY(!t.panel->isVisible());
    for (QAbstractButton *button : {t.montage, t.close}) {
        const bool toIn = button == t.montage;
        button->click();
        QVERIFY(t.panel->isVisible());
        QCOMPARE(t.panel->x(), toIn ? -400 : 0);
        QCOMPARE(in->enabled(), toIn);
        QCOMPARE(out->enabled(), !toIn);
        QElapsedTimer clock;
        clock.start();
        QTRY_COMPARE_WITH_TIMEOUT(t.panel->x(), toIn ? 0 : -400, slideEnd);
        QTRY_VERIFY_WITH_TIMEOUT(!in->isRunning() && !out->isRunning(), slideEnd);
        QVERIFY(clock.elapsed() >= 950); // however few of its steps a loaded machine drew
        button->click(); // a slide started again would run at once from its start
        QCOMPARE(t.panel->x(), toIn ? 0 : -400);
        QVERIFY(!in->isRunning() && !out->isRunning());
    }
    t.montage->click();
    QCOMPARE(t.panel->x(), -400);
    QTRY_COMPARE_WITH_TIMEOUT(t.panel->geometry(), QRect(0, 0, 400, 490), slideEnd);
}

// Every drawing is larger than its area: scaled down to fit, proportions kept, centred. A circuit
// drawn as meant is thin dark lines on an opaque white ground: a missing background or a part
// filled black instead of left open moves these shares far off.
void TestPanels::picturesFitTheirArea()
{
    TForm2 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (toolkit::Image *picture : form.findChildren<toolkit::Image *>()) {
        const QRect shown = picture->pictureRect();
        const QSize size = picture->pictureSize();
        QVERIFY2(!size.isEmpty(), qPrintable(picture->objectName()));
        QVERIFY(picture->rect().contains(shown));
        QVERIFY(shown.width() == picture->width() || shown.height() == picture->height());
        QVERIFY(qAbs(double(shown.width()) / shown.height() - double(size.width()) / size.height())
                < 0.01);
        QVERIFY((shown.center() - picture->rect().center()).manhattanLength() <= 2);
        const QImage drawn = picture->grab(shown).toImage();
        int white = 0, dark = 0;
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x) {
                white += drawn.pixel(x, y) == qRgb(255, 255, 255);
                dark += qGray(drawn.pixel(x, y)) < 128;
            }
        }
        const double area = double(drawn.width()) * drawn.height();
        QVERIFY2(
            white > 0.6 * area && dark > 0.01 * area && dark < 0.2 * area,
            qPrintable(QString::asprintf("%s: %d white, %d dark of %g",
                                         qPrintable(picture->objectName()), white, dark, area)));
    }
}

QTEST_MAIN(TestPanels)
#include "tst_panels.moc"
