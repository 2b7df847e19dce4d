// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/trackbar.h"

#include <QSignalSpy>
#include <QTest>

#include <limits>

using toolkit::TrackBar;

class TestTrackBar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void valueFromCode();
    void aClickAnywhereInTheBoxMovesTheThumb();
};

// Kept as given within 0..100, clamped outside, NaN ignored; a change is told once.
void TestTrackBar::valueFromCode()
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const auto &[writes, expected, changes] :
         {std::tuple {QList<double> {37.5, 37.5}, 37.5, 1},
          {{0}, 0.0, 0},
          {{150}, 100.0, 1},
          {{20, -5}, 0.0, 2},
          {{30, nan}, 30.0, 1}}) {
        TrackBar bar;
        QSignalSpy spy(&bar, &TrackBar::changed);
        for (double v : writes)
            bar.setValue(v);
        QCOMPARE(bar.value(), expected);
        QCOMPARE(spy.count(), changes);
    }
}

// The bar's box is where the user may click: no row of it is dead.
void TestTrackBar::aClickAnywhereInTheBoxMovesTheThumb()
{
    QWidget window;
    TrackBar bar(&window);
    bar.setGeometry(40, 34, 153, 24);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (int y = 0; y < bar.height(); ++y) {
        for (const auto &[x, from] : {std::pair {bar.width() - 2, 0.0}, {1, 100.0}}) {
            bar.setValue(from);
            QWidget *target = bar.childAt(x, y) ? bar.childAt(x, y) : &bar;
            QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&bar, QPoint(x, y)));
            QVERIFY2(bar.value() != from, qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
        }
    }
}

QTEST_MAIN(TestTrackBar)
#include "tst_trackbar.moc"
