// SPDX-License-Identifier: GPL-3.0-or-later
// What happens when the user acts while a trace runs: every action is started from inside the
// pause of a chosen point step, as the window's event handling would start it.

#include "app/tform2.h"
#include "stepwatch.h"
#include "tracechecks.h"

#include "scene/model3d.h"
#include "scene/object3d.h"

#include "toolkit/floatanimation.h"
#include "toolkit/lineseries.h"
#include "toolkit/tabcontrol.h"
#include "toolkit/tabitem.h"
#include "toolkit/trackbar.h"

#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;
using toolkit::LineSeries;

namespace {

constexpr std::chrono::milliseconds kShortPause(1);

} // namespace

class tst_TracesConcurrency : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void trackBarMovedDuringTrace_data();
    void trackBarMovedDuringTrace();
    void directionSwitchedDuringRun_data();
    void directionSwitchedDuringRun();
    void tabClickDuringPositiveRun_data();
    void tabClickDuringPositiveRun();
    void otherTabTraceNested_data();
    void otherTabTraceNested();
    void missingDirection_data();
    void missingDirection();
    void closeDuringTrace_data();
    void closeDuringTrace();
    void tab1LaunchGivesTheTurningShaftItsPace();

private:
    // One tab's launch at 50 %: its button, track bar, first series and points per trace.
    struct Launch
    {
        QPushButton *button;
        toolkit::TrackBar *trackBar;
        LineSeries *series;
        int points;
    };
    Launch prepareLaunch(int tab);
    void clickTab(int index);

    std::unique_ptr<TForm2> m_form;
};

void tst_TracesConcurrency::init()
{
    m_form = std::make_unique<TForm2>();
    m_form->pause().setInterval(kShortPause);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void tst_TracesConcurrency::cleanup()
{
    m_form.reset();
}

tst_TracesConcurrency::Launch tst_TracesConcurrency::prepareLaunch(int tab)
{
    TForm2 &f = *m_form;
    switch (tab) {
    case 1:
        moveTo(f.valeurmoteur, 50);
        return {f.Button1, f.valeurmoteur, f.signalrco, 132};
    case 2:
        moveTo(f.valeurmoteur1, 50);
        f.Button3->click();
        return {f.Button2, f.valeurmoteur1, f.signalrco1, 132};
    case 3:
        moveTo(f.valeurmoteur3, 50);
        return {f.Button7, f.valeurmoteur3, f.tr1, 144};
    default:
        moveTo(f.valeurmoteur4, 50);
        return {f.Button5, f.valeurmoteur4, f.tr11, 144};
    }
}

void tst_TracesConcurrency::clickTab(int index)
{
    toolkit::TabControl *tabs = m_form->TabControl1;
    QTabBar *bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {},
                      bar->mapFrom(tabs, tabs->tabHeaderRect(index).center()));
}

void tst_TracesConcurrency::trackBarMovedDuringTrace_data()
{
    QTest::addColumn<int>("tab");
    QTest::newRow("tab 1") << 1;
    QTest::newRow("tab 2") << 2;
    QTest::newRow("tab 3") << 3;
    QTest::newRow("tab 4") << 4;
}

// The running trace keeps the levels it computed at its start; the DC shaft stops.
void tst_TracesConcurrency::trackBarMovedDuringTrace()
{
    QFETCH(int, tab);
    TForm2 &f = *m_form;
    const Launch launch = prepareLaunch(tab);

    StepWatch watch(&f);
    watch.at(30, [&] { launch.trackBar->setValue(90); });
    launch.button->click();

    QCOMPARE(watch.steps(), launch.points);
    QVERIFY(!launch.button->isHidden());
    switch (tab) {
    case 1:
        QCOMPARE(f.signalrco->points(), pulseTrain(10));
        QVERIFY(allAt(f.tensionmoyenne, 6.0));
        QCOMPARE(f.Edit1->text(), u"90"_s);
        break;
    case 2:
        QCOMPARE(f.signalrco1->points(), pulseTrain(10));
        QVERIFY(allAt(f.tensionmoyenne1, 6.0));
        QCOMPARE(f.Edit2->text(), u"90"_s);
        break;
    case 3:
        QCOMPARE(f.Edit6->text(), u"-2160"_s);
        QCOMPARE(f.Edit4->text(), u"90"_s);
        break;
    default:
        QCOMPARE(f.Edit7->text(), u"-2160"_s);
        QCOMPARE(f.Edit5->text(), u"90"_s);
        break;
    }
    if (tab <= 2) {
        // The trace started the shaft; the track bar stopped it.
        QVERIFY(!f.animationaxe->enabled());
        QVERIFY(!f.animationaxenegative->enabled());
    }

    // The new value was kept for the next launch.
    launch.button->click();
    switch (tab) {
    case 1:
        QCOMPARE(f.signalrco->points(), pulseTrain(18));
        QVERIFY(allAt(f.tensionmoyenne, 10.0));
        break;
    case 2:
        QCOMPARE(f.signalrco1->points(), pulseTrain(18));
        QVERIFY(allAt(f.tensionmoyenne1, 10.8));
        break;
    default:
        QCOMPARE(launch.series->count(), 208);
        QCOMPARE((tab == 3 ? f.Edit6 : f.Edit7)->text(), u"-9360"_s);
        break;
    }
}

void tst_TracesConcurrency::directionSwitchedDuringRun_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("switchTo");
    QTest::addColumn<double>("newValue");
    QTest::addColumn<int>("negativeHighWidth");
    QTest::addColumn<double>("negativeAverage");
    QTest::addColumn<bool>("positiveShaft");

    // A switch to negative during a positive run: a negative run follows, both animations
    // end enabled; with the track bar moved in between, the second run takes the new value
    // and only its own animation turns.
    QTest::newRow("positive, then negative") << 1 << 2 << 50.0 << 10 << -6.0 << true;
    QTest::newRow("positive, then negative at 80 %") << 1 << 2 << 80.0 << 16 << -9.6 << false;
    // A switch to positive during a negative run changes nothing.
    QTest::newRow("negative, then positive") << 2 << 1 << 50.0 << 10 << -6.0 << false;
}

void tst_TracesConcurrency::directionSwitchedDuringRun()
{
    QFETCH(int, first);
    QFETCH(int, switchTo);
    QFETCH(double, newValue);
    QFETCH(int, negativeHighWidth);
    QFETCH(double, negativeAverage);
    QFETCH(bool, positiveShaft);
    TForm2 &f = *m_form;

    moveTo(f.valeurmoteur1, 50);
    (first == 1 ? f.Button3 : f.Button4)->click();
    StepWatch watch(&f);
    watch.at(40, [&] {
        (switchTo == 1 ? f.Button3 : f.Button4)->click();
        f.valeurmoteur1->setValue(newValue);
    });
    QList<int> hiddenAt;
    QList<QList<int>> counts;
    watch.onEveryStep([&](int step) {
        if (!f.Button2->isHidden())
            hiddenAt << step;
        counts << QList<int> {f.signalrco1->count(), f.signalrco2->count()};
    });
    f.Button2->click();

    const bool followed = first == 1 && switchTo == 2;
    QCOMPARE(watch.steps(), followed ? 264 : 132);
    QCOMPARE(hiddenAt, QList<int>());
    QVERIFY(!f.Button2->isHidden());
    if (followed) {
        // The positive run completes before the negative one clears it.
        QCOMPARE(counts.at(131), (QList<int> {132, 0}));
        QCOMPARE(counts.at(132), (QList<int> {0, 1}));
    }
    QCOMPARE(f.signalrco1->count(), 0);
    QCOMPARE(f.signalrco2->points(), pulseTrain(negativeHighWidth));
    QVERIFY(allAt(f.tensionmoyenne1, negativeAverage));
    QCOMPARE(f.animationaxenegative->enabled(), first == 2 || newValue == 80.0 || followed);
    QCOMPARE(f.animationaxe->enabled(), positiveShaft);
    if (followed)
        QCOMPARE(f.animationaxenegative->duration(), newValue == 80.0 ? 0.2f : 0.5f);
}

void tst_TracesConcurrency::tabClickDuringPositiveRun_data()
{
    QTest::addColumn<int>("tabIndex");
    QTest::newRow("tab 1") << 0;
    QTest::newRow("tab 3") << 2;
    QTest::newRow("tab 4") << 3;
}

// Leaving for tab 1, 3 or 4 forgets the direction, so no negative run follows.
void tst_TracesConcurrency::tabClickDuringPositiveRun()
{
    QFETCH(int, tabIndex);
    TForm2 &f = *m_form;
    moveTo(f.valeurmoteur1, 50);
    clickTab(1);
    f.Button3->click();
    StepWatch watch(&f);
    watch.at(10, [&] { f.Button4->click(); });
    watch.at(20, [&] { clickTab(tabIndex); });
    f.Button2->click();

    QCOMPARE(watch.steps(), 132);
    QCOMPARE(f.Edit3->text(), u"Sélectionner sens"_s);
    QCOMPARE(f.signalrco1->points(), pulseTrain(10));
    QCOMPARE(f.signalrco2->count(), 0);
    QVERIFY(!f.Button2->isHidden());
}

void tst_TracesConcurrency::otherTabTraceNested_data()
{
    QTest::addColumn<int>("outerTab");
    QTest::addColumn<int>("innerTab");

    QTest::newRow("tab 3 inside tab 1") << 1 << 3;
    QTest::newRow("tab 1 inside tab 3") << 3 << 1;
    QTest::newRow("tab 4 inside tab 2") << 2 << 4;
    QTest::newRow("tab 2 inside tab 4") << 4 << 2;
    QTest::newRow("tab 4 inside tab 3") << 3 << 4;
}

// The inner trace runs to its end inside one pause of the outer one, which then goes on where
// it stopped; each button is hidden exactly while its own trace runs, and every step keeps its
// pause.
void tst_TracesConcurrency::otherTabTraceNested()
{
    QFETCH(int, outerTab);
    QFETCH(int, innerTab);
    TForm2 &f = *m_form;
    constexpr int at = 5;
    constexpr std::chrono::milliseconds pause(4);
    f.pause().setInterval(pause);
    const Launch outer = prepareLaunch(outerTab);
    const Launch inner = prepareLaunch(innerTab);

    struct Seen
    {
        int outerCount;
        int innerCount;
        bool outerHidden;
        bool innerHidden;
        StepWatch::Clock::time_point start;
    };
    QList<Seen> seen;
    StepWatch watch(&f);
    watch.at(at, [&] { inner.button->click(); });
    watch.onEveryStep([&](int) {
        seen.append({outer.series->count(), inner.series->count(), outer.button->isHidden(),
                     inner.button->isHidden(), watch.lastStart()});
    });
    outer.button->click();

    const int steps = outer.points + inner.points;
    QCOMPARE(seen.size(), steps);
    for (int i = 0; i < steps; ++i) {
        const bool inInner = i >= at && i < at + inner.points;
        const int outerPoints = std::min(i + 1, at) + std::max(0, i + 1 - at - inner.points);
        const int innerPoints = i < at ? 0 : std::min(i + 1 - at, inner.points);
        QCOMPARE(seen.at(i).outerCount, outerPoints);
        QCOMPARE(seen.at(i).innerCount, innerPoints);
        QVERIFY(seen.at(i).outerHidden);
        QCOMPARE(seen.at(i).innerHidden, inInner);
        // Consecutive steps of the same trace start a pause apart, less the little that a step
        // may give to the tail of the one before (the inner trace starts right after the outer
        // step it interrupts).
        if (i > 0 && i != at) {
            const auto gap = seen.at(i).start - seen.at(i - 1).start;
            QVERIFY2(gap >= toolkit::StepSchedule::shortestPeriod(pause),
                     qPrintable(u"step %1: %2 ns"_s.arg(i + 1).arg(gap.count())));
        }
    }
    QVERIFY(!outer.button->isHidden());
    QVERIFY(!inner.button->isHidden());
    QCOMPARE(outer.series->count(), outer.points);
    QCOMPARE(inner.series->count(), inner.points);
}

void tst_TracesConcurrency::missingDirection_data()
{
    QTest::addColumn<bool>("afterTabClick");
    QTest::newRow("no direction chosen yet") << false;
    QTest::newRow("direction forgotten on tab 1") << true;
}

// "Lancer tracé" without a direction stops the shaft, says so and changes nothing else.
void tst_TracesConcurrency::missingDirection()
{
    QFETCH(bool, afterTabClick);
    TForm2 &f = *m_form;
    if (afterTabClick) {
        moveTo(f.valeurmoteur1, 30);
        f.Button3->click();
        f.Button2->click();
        clickTab(0);
    }
    moveTo(f.valeurmoteur, 50);
    f.Button1->click();
    QVERIFY(f.animationaxe->enabled());

    const QList<QPointF> average = f.tensionmoyenne1->points();
    const QList<QPointF> pulses = f.signalrco1->points();

    StepWatch watch(&f);
    const QStringList shown = answeringMessageBoxes([&] { f.Button2->click(); });

    QCOMPARE(shown, QStringList {u"Vous n'avez pas sélectionner le sens"_s});
    QCOMPARE(watch.steps(), 0);
    QVERIFY(!f.animationaxe->enabled());
    QVERIFY(!f.animationaxenegative->enabled());
    QVERIFY(!f.Button2->isHidden());
    QCOMPARE(f.tensionmoyenne1->points(), average);
    QCOMPARE(f.signalrco1->points(), pulses);
    QCOMPARE(f.signalrco2->count(), 0);
    QCOMPARE(f.signalrco1->count(), afterTabClick ? 132 : 0);
}

void tst_TracesConcurrency::closeDuringTrace_data()
{
    QTest::addColumn<QList<int>>("tabs");
    QTest::addColumn<int>("closeAt");

    QTest::newRow("tab 1") << QList<int> {1} << 20;
    QTest::newRow("tab 3") << QList<int> {3} << 20;
    QTest::newRow("tab 3 inside tab 1") << QList<int> {1, 3} << 20;
    QTest::newRow("tab 4 inside tab 2 inside tab 3") << QList<int> {3, 2, 4} << 30;
}

// A close unwinds every trace at once, and nothing is written after it: no point, no button
// shown, no angle, no animation changed.
void tst_TracesConcurrency::closeDuringTrace()
{
    QFETCH(QList<int>, tabs);
    QFETCH(int, closeAt);
    TForm2 &f = *m_form;

    QList<Launch> launches;
    for (int tab : tabs)
        launches.append(prepareLaunch(tab));

    const auto snapshot = [&f] {
        QStringList state;
        for (const LineSeries *series : f.findChildren<LineSeries *>())
            state << series->objectName() + u' ' + QString::number(series->count());
        for (const QPushButton *button : {f.Button1, f.Button2, f.Button5, f.Button7})
            state << button->objectName() + (button->isHidden() ? u" hidden"_s : u" shown"_s);
        for (const QLineEdit *edit : {f.Edit6, f.Edit7})
            state << edit->text();
        state << QString::number(f.rotor1->rotationAngle().y());
        for (const toolkit::FloatAnimation *a : {f.animationaxe, f.animationaxenegative})
            state << QString::number(a->enabled());
        return state;
    };

    StepWatch watch(&f);
    for (qsizetype i = 1; i < launches.size(); ++i)
        watch.at(int(i) * 5, [button = launches.at(i).button] { button->click(); });
    QStringList atClose;
    watch.at(closeAt, [&] {
        atClose = snapshot();
        f.close();
    });
    launches.constFirst().button->click();

    QCOMPARE(watch.steps(), closeAt);
    QVERIFY(f.pause().stopped());
    QCOMPARE(snapshot(), atClose);
    for (const Launch &launch : launches)
        QVERIFY(launch.button->isHidden());
}

// The shaft still turns from a tab-2 run when tab 1 launches: from then on it turns at tab 1's
// pace. Its progress is measured against a reference turning once a second on the same
// animation clock, so a busy machine slows both alike.
void tst_TracesConcurrency::tab1LaunchGivesTheTurningShaftItsPace()
{
    TForm2 &f = *m_form;
    moveTo(f.valeurmoteur, 80); // 0.2 s per turn
    clickTab(1);
    moveTo(f.valeurmoteur1, 10); // 0.9 s per turn
    f.Button3->click();
    f.Button2->click();
    clickTab(0);
    QVERIFY(f.animationaxe->isRunning());
    f.Button1->click();

    float reference = 0.0f;
    toolkit::FloatAnimation clock(&f, u"reference"_s, [&reference](float v) { reference = v; });
    clock.setStopValue(360.0f);
    clock.setDuration(1.0f);
    clock.setLoop(true);
    clock.setEnabled(true);
    // Both turn forwards by less than a turn between two looks.
    const auto forward = [](float now, float before) {
        return std::fmod(double(now) - double(before) + 720.0, 360.0);
    };
    float shaftBefore = f.axe->rotationAngle().z();
    float clockBefore = reference;
    double shaftTurned = 0.0;
    double clockTurned = 0.0;
    QElapsedTimer guard;
    guard.start();
    while (clockTurned < 720.0 && guard.elapsed() < 60000) {
        QTest::qWait(5);
        const float shaft = f.axe->rotationAngle().z();
        shaftTurned += forward(shaft, shaftBefore);
        clockTurned += forward(reference, clockBefore);
        shaftBefore = shaft;
        clockBefore = reference;
    }
    QVERIFY2(clockTurned >= 720.0, "the reference never came round twice");
    // Five times the reference at 0.2 s per turn; barely more than it at tab 2's 0.9 s.
    QVERIFY2(shaftTurned > 3.0 * clockTurned,
             qPrintable(u"shaft %1°, reference %2°"_s.arg(shaftTurned).arg(clockTurned)));
}

QTEST_MAIN(tst_TracesConcurrency)
#include "tst_tracesconcurrency.moc"
