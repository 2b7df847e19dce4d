// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/trackbar.h"

#include <QSignalSpy>
#include <QSlider>
#include <QTest>

#include <limits>

using toolkit::TrackBar;

class TestTrackBar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void valueFromCode_data();
    void valueFromCode();
    void userMovesInWholeSteps();
    void aClickAnywhereInTheBoxMovesTheThumb();
};

void TestTrackBar::valueFromCode_data()
{
    QTest::addColumn<QList<double>>("writes");
    QTest::addColumn<double>("expected");
    QTest::addColumn<int>("changes");

    QTest::newRow("fraction kept") << QList<double> {37.5} << 37.5 << 1;
    QTest::newRow("same value twice raises once") << QList<double> {40, 40} << 40.0 << 1;
    QTest::newRow("zero at start raises nothing") << QList<double> {0} << 0.0 << 0;
    QTest::newRow("above the range") << QList<double> {150} << 100.0 << 1;
    QTest::newRow("below the range") << QList<double> {20, -5} << 0.0 << 2;
    QTest::newRow("NaN ignored") << QList<double> {30, std::numeric_limits<double>::quiet_NaN()}
                                 << 30.0 << 1;
}

void TestTrackBar::valueFromCode()
{
    QFETCH(QList<double>, writes);
    QFETCH(double, expected);
    QFETCH(int, changes);
    TrackBar bar;
    QSignalSpy spy(&bar, &TrackBar::changed);
    for (double v : writes)
        bar.setValue(v);
    QCOMPARE(bar.value(), expected);
    QCOMPARE(spy.count(), changes);
}

void TestTrackBar::userMovesInWholeSteps()
{
    TrackBar bar;
    bar.setValue(37.5);
    QSignalSpy spy(&bar, &TrackBar::changed);
    auto *slider = bar.findChild<QSlider *>();
    QTest::keyClick(slider, Qt::Key_Right);
    QCOMPARE(bar.value(), 39.0); // the thumb stood at 38
    QTest::keyClick(slider, Qt::Key_PageUp);
    QCOMPARE(bar.value(), 49.0);
    QTest::keyClick(slider, Qt::Key_End);
    QCOMPARE(bar.value(), 100.0);
    QCOMPARE(spy.count(), 3);
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
