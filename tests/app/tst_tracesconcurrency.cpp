// SPDX-License-Identifier: GPL-3.0-or-later
// What happens when the user acts while a trace runs: every action starts from inside the pause
// of a chosen point step, as the window's event handling would start it.

#include "tracewatch.h"

#include "scene/model3d.h"

#include "sim/bipolartrace.h"
#include "sim/hbridgetrace.h"
#include "sim/pwmtrace.h"
#include "sim/stepper.h"
#include "sim/unipolartrace.h"

#include "toolkit/floatanimation.h"
#include "toolkit/lineseries.h"
#include "toolkit/tabcontrol.h"

#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;
using toolkit::LineSeries;

class tst_TracesConcurrency : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_form.reset(); }

    void trackBarMovedDuringTrace_data();
    void trackBarMovedDuringTrace();
    void directionSwitchedDuringRun_data();
    void directionSwitchedDuringRun();
    void tabClickDuringPositiveRun_data();
    void tabClickDuringPositiveRun();
    void otherTabTraceNested_data();
    void otherTabTraceNested();
    void tab1LaunchGivesTheTurningShaftItsPace();

private:
    // One tab's launch: its button, track bar and series.
    struct Launch
    {
        QPushButton *button;
        toolkit::TrackBar *trackBar;
        QList<LineSeries *> series;
    };
    // Sets the track bar of tab @p n to @p value (and tab 2's direction, 2 for negative).
    Launch prepareLaunch(int n, double value = 50, int direction = 1);
    // The points a run of tab @p n leaves, from the plan of its rule.
    static QList<QList<QPointF>> run(int n, double value, int direction = 1);
    void clickTab(int index);

    std::unique_ptr<TForm2> m_form;
};

void tst_TracesConcurrency::init()
{
    m_form = std::make_unique<TForm2>();
    m_form->pause().setInterval(std::chrono::milliseconds(1));
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

tst_TracesConcurrency::Launch tst_TracesConcurrency::prepareLaunch(int n, double value,
                                                                   int direction)
{
    TForm2 &f = *m_form;
    switch (n) {
    case 1:
        moveTo(f.valeurmoteur, value);
        return {f.Button1, f.valeurmoteur, {f.tensionmoyenne, f.signalrco}};
    case 2:
        moveTo(f.valeurmoteur1, value);
        (direction == 1 ? f.Button3 : f.Button4)->click();
        return {f.Button2, f.valeurmoteur1,
                {f.tensionmoyenne1, direction == 1 ? f.signalrco1 : f.signalrco2}};
    case 3:
        moveTo(f.valeurmoteur3, value);
        return {f.Button7, f.valeurmoteur3, {f.tr1, f.tr2, f.tr3, f.tr4}};
    default:
        moveTo(f.valeurmoteur4, value);
        return {f.Button5, f.valeurmoteur4, {f.tr11, f.tr12}};
    }
}

QList<QList<QPointF>> tst_TracesConcurrency::run(int n, double value, int direction)
{
    const int percent = int(value);
    const float slowness = sim::stepper::slowness(sim::stepper::speed(value));
    switch (n) {
    case 1:
        return pointsOf(sim::pwm::plan(percent));
    case 2:
        return pointsOf(sim::hbridge::runPlan(percent, direction == 1 ? 12.0 : -12.0));
    case 3:
        return pointsOf(*sim::unipolar::plan(slowness));
    default:
        return pointsOf(*sim::bipolar::plan(slowness));
    }
}

void tst_TracesConcurrency::clickTab(int index)
{
    QTabBar *bar = m_form->TabControl1->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

static QList<QList<QPointF>> pointsIn(const QList<LineSeries *> &series)
{
    QList<QList<QPointF>> points;
    for (const LineSeries *s : series)
        points << s->points();
    return points;
}

void tst_TracesConcurrency::trackBarMovedDuringTrace_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("direction");
    for (int n = 1; n <= 4; ++n)
        QTest::addRow("tab %d", n) << n << 1;
    QTest::newRow("tab 2, negative") << 2 << 2;
}

// The running trace keeps the levels it took at its start; the new value shows at once, stops
// the DC shaft whichever way it turns, and is kept for the next launch.
void tst_TracesConcurrency::trackBarMovedDuringTrace()
{
    QFETCH(int, n);
    QFETCH(int, direction);
    TForm2 &f = *m_form;
    const Launch launch = prepareLaunch(n, 50, direction);
    StepWatch watch(&f);
    watch.at(30, [&] { launch.trackBar->setValue(90); });
    launch.button->click();

    QCOMPARE(pointsIn(launch.series), run(n, 50, direction));
    QCOMPARE(f.findChild<QLineEdit *>(u"Edit%1"_s.arg(n <= 2 ? n : n + 1))->text(), u"90"_s);
    QVERIFY(!launch.button->isHidden());
    QVERIFY(!f.animationaxe->enabled());
    QVERIFY(!f.animationaxenegative->enabled());

    launch.button->click();
    QCOMPARE(pointsIn(launch.series), run(n, 90, direction));
}

void tst_TracesConcurrency::directionSwitchedDuringRun_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<double>("newValue");
    // A switch to negative during a positive run: a negative run follows, and both animations
    // end enabled; with the track bar moved in between, the second run takes the new value and
    // only its own animation turns. A switch to positive during a negative run changes nothing.
    QTest::newRow("positive, then negative") << 1 << 50.0;
    QTest::newRow("positive, then negative at 80 %") << 1 << 80.0;
    QTest::newRow("negative, then positive") << 2 << 50.0;
}

void tst_TracesConcurrency::directionSwitchedDuringRun()
{
    QFETCH(int, first);
    QFETCH(double, newValue);
    TForm2 &f = *m_form;
    prepareLaunch(2, 50, first);
    StepWatch watch(&f);
    watch.at(40, [&] {
        (first == 1 ? f.Button4 : f.Button3)->click();
        f.valeurmoteur1->setValue(newValue);
    });
    QList<QList<int>> counts;
    watch.onEveryStep([&](int) {
        counts << QList<int> {f.signalrco1->count(), f.signalrco2->count(), !f.Button2->isHidden()};
    });
    f.Button2->click();

    const bool followed = first == 1;
    QCOMPARE(watch.steps(), followed ? 264 : 132);
    if (followed) { // the positive run completes before the negative one clears it
        QCOMPARE(counts.at(131), (QList<int> {132, 0, 0}));
        QCOMPARE(counts.at(132), (QList<int> {0, 1, 0}));
    }
    QVERIFY(std::none_of(counts.cbegin(), counts.cend(), [](const QList<int> &c) { return c[2]; }));
    QVERIFY(!f.Button2->isHidden());
    QCOMPARE(f.signalrco1->count(), 0);
    QCOMPARE(pointsIn({f.tensionmoyenne1, f.signalrco2}), run(2, followed ? newValue : 50, 2));
    QVERIFY(f.animationaxenegative->enabled());
    QCOMPARE(f.animationaxe->enabled(), followed && newValue == 50.0);
    QCOMPARE(f.animationaxenegative->duration(), newValue == 80.0 ? 0.2f : 0.5f);
}

void tst_TracesConcurrency::tabClickDuringPositiveRun_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("tab 1") << 0;
    QTest::newRow("tab 3") << 2;
    QTest::newRow("tab 4") << 3;
}

// Leaving for tab 1, 3 or 4 forgets the direction, so no negative run follows.
void tst_TracesConcurrency::tabClickDuringPositiveRun()
{
    QFETCH(int, index);
    TForm2 &f = *m_form;
    clickTab(1);
    prepareLaunch(2);
    StepWatch watch(&f);
    watch.at(10, [&] { f.Button4->click(); });
    watch.at(20, [&] { clickTab(index); });
    f.Button2->click();

    QCOMPARE(watch.steps(), 132);
    QCOMPARE(f.Edit3->text(), u"Sélectionner sens"_s);
    QCOMPARE(pointsIn({f.tensionmoyenne1, f.signalrco1}), run(2, 50));
    QCOMPARE(f.signalrco2->count(), 0);
    QVERIFY(!f.Button2->isHidden());
}

void tst_TracesConcurrency::otherTabTraceNested_data()
{
    QTest::addColumn<int>("outerTab");
    QTest::addColumn<int>("innerTab");
    QTest::newRow("tab 3 inside tab 1") << 1 << 3;
    QTest::newRow("tab 2 inside tab 4") << 4 << 2;
    QTest::newRow("tab 4 inside tab 3") << 3 << 4;
}

// The inner trace runs to its end inside one pause of the outer one, which then goes on where
// it stopped; each button is hidden exactly while its own trace runs, and every step keeps its
// pause, measured between the starts the player reports.
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
    const int outerPoints = int(run(outerTab, 50).constFirst().size());
    const int innerPoints = int(run(innerTab, 50).constFirst().size());

    StepWatch watch(&f);
    watch.at(at, [&] { inner.button->click(); });
    QStringList wrong;
    StepWatch::Clock::time_point previous;
    watch.onEveryStep([&](int step) {
        const int i = step - 1;
        const bool inInner = i >= at && i < at + innerPoints;
        const QList<int> seen {int(outer.series[0]->count()), int(inner.series[0]->count()),
                               outer.button->isHidden(), inner.button->isHidden()};
        const QList<int> expected {std::min(i + 1, at) + std::max(0, i + 1 - at - innerPoints),
                                   i < at ? 0 : std::min(i + 1 - at, innerPoints), 1, inInner};
        if (seen != expected)
            wrong << u"step %1"_s.arg(step);
        // The inner trace starts right after the outer step it interrupts.
        if (i > 0 && i != at
            && watch.lastStart() - previous < toolkit::StepSchedule::shortestPeriod(pause))
            wrong << u"step %1 started early"_s.arg(step);
        previous = watch.lastStart();
    });
    outer.button->click();

    QCOMPARE(watch.steps(), outerPoints + innerPoints);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u", "_s)));
    QVERIFY(!outer.button->isHidden());
    QVERIFY(!inner.button->isHidden());
}

// The shaft still turns from a tab-2 run when tab 1 launches: from then on it turns at tab 1's
// pace, measured against a reference turning once a second on the same animation clock, so a
// busy machine slows both alike.
void tst_TracesConcurrency::tab1LaunchGivesTheTurningShaftItsPace()
{
    TForm2 &f = *m_form;
    moveTo(f.valeurmoteur, 80); // 0.2 s per turn
    clickTab(1);
    prepareLaunch(2, 10).button->click(); // 0.9 s per turn
    clickTab(0);
    QVERIFY(f.animationaxe->isRunning());
    f.Button1->click();

    float reference = 0.0f;
    toolkit::FloatAnimation clock(&f, u"reference"_s, [&reference](float v) { reference = v; });
    clock.setStopValue(360.0f);
    clock.setDuration(1.0f);
    clock.setLoop(true);
    clock.setEnabled(true);
    const auto forward = [](float now, float before) { // less than a turn between two looks
        return std::fmod(double(now) - double(before) + 720.0, 360.0);
    };
    float shaftBefore = f.axe->rotationAngle().z();
    float clockBefore = reference;
    double shaftTurned = 0.0;
    double clockTurned = 0.0;
    while (clockTurned < 720.0) {
        QTest::qWait(5);
        shaftTurned += forward(f.axe->rotationAngle().z(), shaftBefore);
        clockTurned += forward(reference, clockBefore);
        shaftBefore = f.axe->rotationAngle().z();
        clockBefore = reference;
    }
    // Five times the reference at 0.2 s per turn; barely more than it at tab 2's 0.9 s.
    QVERIFY2(shaftTurned > 3.0 * clockTurned, qPrintable(QString::number(shaftTurned)));
}

QTEST_MAIN(tst_TracesConcurrency)
#include "tst_tracesconcurrency.moc"
