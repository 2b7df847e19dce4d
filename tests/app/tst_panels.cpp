// SPDX-License-Identifier: GPL-3.0-or-later
// The circuit-diagram panels slide in and out over 1 s; their pictures fit their areas.

#include "app/tform2.h"

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
    const int i = tab - 1;
    QWidget *panel = std::array<QWidget *, 4> {f.ferme1, f.ferme2, f.ferme3, f.ferme4}[i];
    QAbstractButton *montage =
        std::array<QAbstractButton *, 4> {f.Button6, f.Button8, f.Button9, f.Button10}[i];
    QAbstractButton *close = std::array<QAbstractButton *, 4> {f.SpeedButton1, f.SpeedButton2,
                                                               f.SpeedButton3, f.SpeedButton4}[i];
    toolkit::FloatAnimation *in = std::array {f.animationferme11, f.animationferme21,
                                              f.animationferme31, f.animationferme41}[i];
    toolkit::FloatAnimation *out = std::array {f.animationferme12, f.animationferme22,
                                               f.animationferme32, f.animationferme42}[i];
    QVERIFY(!panel->isVisible());
    for (QAbstractButton *button : {montage, close}) {
        const bool toIn = button == montage;
        button->click();
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->x(), toIn ? -400 : 0);
        QCOMPARE(in->enabled(), toIn);
        QCOMPARE(out->enabled(), !toIn);
        QElapsedTimer clock;
        clock.start();
        QTRY_VERIFY_WITH_TIMEOUT(panel->x() > -400 && panel->x() < 0, slideEnd);
        QTRY_COMPARE_WITH_TIMEOUT(panel->x(), toIn ? 0 : -400, slideEnd);
        QVERIFY(clock.elapsed() >= 950);
        button->click();
        QTest::qWait(100);
        QCOMPARE(panel->x(), toIn ? 0 : -400);
    }
    montage->click();
    QCOMPARE(panel->x(), -400);
    QTRY_COMPARE_WITH_TIMEOUT(panel->geometry(), QRect(0, 0, 400, 490), slideEnd);
}

// Every drawing is larger than its area: scaled down to fit, proportions kept, centred.
void TestPanels::picturesFitTheirArea()
{
    TForm2 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (const toolkit::Image *picture : form.findChildren<toolkit::Image *>()) {
        const QRect shown = picture->pictureRect();
        const QSize size = picture->pictureSize();
        QVERIFY2(!size.isEmpty(), qPrintable(picture->objectName()));
        QVERIFY(picture->rect().contains(shown));
        QVERIFY(shown.width() == picture->width() || shown.height() == picture->height());
        QVERIFY(qAbs(double(shown.width()) / shown.height() - double(size.width()) / size.height())
                < 0.01);
        QVERIFY((shown.center() - picture->rect().center()).manhattanLength() <= 2);
    }
}

QTEST_MAIN(TestPanels)
#include "tst_panels.moc"
