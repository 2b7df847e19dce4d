// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/lessonclock.h"
#include "toolkit/livepause.h"
#include "toolkit/stepschedule.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <thread>

using namespace std::chrono_literals;
using toolkit::LivePause;
using toolkit::StepSchedule;
using Result = LivePause::Result;

class TestLivePause : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scheduleKeepsThePaceStartToStart();
    void nestedPausesFinishInnermostFirst();
    void stepsLastTheirPauseAtLeast_data();
    void stepsLastTheirPauseAtLeast();
    void aHeldPauseEndsOnlyWhenLetGo();
    void anOverrunStepStillLetsEventsThrough();
};

// The steps follow each other one interval apart whatever they do after their pause; what a
// step cannot give back is lost, never caught up.
void TestLivePause::scheduleKeepsThePaceStartToStart()
{
    constexpr std::chrono::nanoseconds interval = 50ms;
    const std::chrono::nanoseconds credit = interval - StepSchedule::shortestPeriod(interval);
    // How late each step begins after the previous pause ended (µs): the work after a pause, a
    // slow step, another trace run inside a pause.
    for (const QList<int> &lateness :
         {QList<int> {0, 0, 0}, {300, 150, 4999, 0, 1200, 5000}, {300, 3'000'000, 300}}) {
        StepSchedule schedule(interval);
        const auto first = StepSchedule::Clock::time_point() + 1s;
        auto end = schedule.beginStep(first);
        std::chrono::nanoseconds lost {0};
        for (int late : lateness) {
            const std::chrono::nanoseconds tail = std::chrono::microseconds(late);
            const auto next = schedule.beginStep(end + tail);
            QVERIFY(next - (end + tail) >= StepSchedule::shortestPeriod(interval));
            lost += std::max(tail - credit, std::chrono::nanoseconds(0));
            end = next;
        }
        QCOMPARE(end - first, interval * (lateness.size() + 1) + lost);
    }
}

// A trace started in another's pause runs to its end inside it: they nest. stopAll() ends every
// nested pause, innermost first, and any pause after it.
void TestLivePause::nestedPausesFinishInnermostFirst()
{
    LivePause pause;
    pause.setInterval(20ms);
    QStringList log;
    QList<int> depths;
    int stepsAfterStop = 0; // a stopped pause returns at once: its trace takes no further step
    connect(&pause, &LivePause::stepPaused, [&] { stepsAfterStop += pause.stopped(); });
    const auto run = [&](int steps, const QString &name) {
        StepSchedule schedule(pause.interval());
        for (int i = 0; i < steps; ++i) {
            pause.beginStep(schedule);
            if (pause.wait(schedule) == Result::Stop)
                return log << name + QStringLiteral(" stop"), Result::Stop;
        }
        return log << name + QStringLiteral(" end"), Result::Continue;
    };
    // Each trace starts in the pause of the one before: when the inner one has ended, the
    // second, and in its pause the third, whose pause stops them all.
    QTimer::singleShot(5, [&] {
        depths << pause.depth(), run(5, QStringLiteral("inner"));
        QTimer::singleShot(0, [&] {
            QTimer::singleShot(0, [&] {
                depths << pause.depth();
                QTimer::singleShot(20, [&] { pause.stopAll(); });
                run(1000, QStringLiteral("third"));
            });
            run(1000, QStringLiteral("second"));
        });
    });
    QCOMPARE(run(1000, QStringLiteral("outer")), Result::Stop);
    QCOMPARE(log, QStringList({"inner end", "third stop", "second stop", "outer stop"}));
    QCOMPARE(depths, QList<int>({1, 2}));
    QCOMPARE(stepsAfterStop, 0);
    QCOMPARE(run(1, QStringLiteral("after")), Result::Stop);
}

// Played for real, with work after some pauses as the rotor's: each step lasts at least
// nine tenths of the interval, and the pause of step n ends no sooner than n intervals after
// the first step began, in the lesson's time: as many times longer on the wall as the lesson is
// slowed. Load can only lengthen them.
void TestLivePause::stepsLastTheirPauseAtLeast_data()
{
    QTest::addColumn<toolkit::LessonClock::Pace>("pace");
    QTest::newRow("normal") << toolkit::LessonClock::Pace::Normal;
    QTest::newRow("quarter") << toolkit::LessonClock::Pace::Quarter;
    QTest::newRow("tenth") << toolkit::LessonClock::Pace::Tenth;
}

void TestLivePause::stepsLastTheirPauseAtLeast()
{
    QFETCH(toolkit::LessonClock::Pace, pace);
    using Clock = std::chrono::steady_clock;
    toolkit::LessonClock lesson;
    lesson.setPace(pace);
    LivePause pause(&lesson);
    const auto interval = std::chrono::duration_cast<std::chrono::nanoseconds>(
        pause.interval() / toolkit::LessonClock::rateOf(pace));
    StepSchedule schedule(pause.interval());
    const Clock::time_point first = Clock::now();
    for (int n = 1; n <= 6; ++n) {
        const Clock::time_point start = Clock::now();
        pause.beginStep(schedule);
        QCOMPARE(pause.wait(schedule), Result::Continue);
        const Clock::time_point end = Clock::now();
        QVERIFY(end - start >= StepSchedule::shortestPeriod(interval));
        QVERIFY(end - first >= n * interval);
        if (n % 3 == 0) // a late start the next step takes back at most a tenth of
            std::this_thread::sleep_for(std::chrono::milliseconds(8));
    }
}

// Held, a pause does not end however long the window handles events, and the time held does
// not count: once let go, the pause still lasts what it had left.
void TestLivePause::aHeldPauseEndsOnlyWhenLetGo()
{
    toolkit::LessonClock lesson;
    LivePause pause(&lesson);
    StepSchedule schedule(pause.interval());
    int held = 0; // turns of the event loop while held, of at least 5 ms each
    QElapsedTimer letGo;
    QTimer teacher;
    connect(&teacher, &QTimer::timeout, [&] {
        if (++held == 40) { // four times the pause's length
            lesson.setPaused(false);
            letGo.start();
            teacher.stop();
        }
    });
    teacher.start(5);
    pause.beginStep(schedule);
    lesson.setPaused(true);
    QCOMPARE(pause.wait(schedule), Result::Continue);
    QCOMPARE(held, 40);
    QVERIFY(std::chrono::nanoseconds(letGo.nsecsElapsed())
            >= StepSchedule::shortestPeriod(pause.interval()));
}

// A step whose own work took longer than its interval still hands the window its events.
void TestLivePause::anOverrunStepStillLetsEventsThrough()
{
    LivePause pause;
    StepSchedule schedule(pause.interval());
    pause.beginStep(schedule);
    bool handled = false;
    QMetaObject::invokeMethod(
        &pause, [&] { handled = true; }, Qt::QueuedConnection);
    std::this_thread::sleep_for(pause.interval() + std::chrono::milliseconds(10));
    QCOMPARE(pause.wait(schedule), Result::Continue);
    QVERIFY(handled);
}

QTEST_GUILESS_MAIN(TestLivePause)
#include "tst_livepause.moc"
