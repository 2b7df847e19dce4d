// SPDX-License-Identifier: GPL-3.0-or-later
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
using Micros = QList<int>;

namespace {

// Runs a trace of @p steps point steps: each begins on the trace's schedule, does nothing, and
// pauses.
Result runSteps(LivePause &pause, int steps, QStringList *log = nullptr, const QString &name = {})
{
    StepSchedule schedule(pause.interval());
    for (int i = 0; i < steps; ++i) {
        schedule.beginStep();
        if (pause.wait(schedule) == Result::Stop) {
            if (log)
                log->append(name + QStringLiteral(" stop"));
            return Result::Stop;
        }
    }
    if (log)
        log->append(name + QStringLiteral(" end"));
    return Result::Continue;
}

} // namespace

class TestLivePause : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultIntervalIsFiftyMilliseconds();
    void scheduleKeepsThePaceStartToStart_data();
    void scheduleKeepsThePaceStartToStart();
    void endsWhenTheScheduleSays_data();
    void endsWhenTheScheduleSays();
    void keepsTheEventLoopRunning();
    void nestedPausesFinishInnermostFirst();
    void stopAllEndsEveryNestedPause();
    void pausesAfterStopReturnAtOnce();
};

void TestLivePause::defaultIntervalIsFiftyMilliseconds()
{
    LivePause pause;
    QCOMPARE(pause.interval(), 50ms);
}

void TestLivePause::scheduleKeepsThePaceStartToStart_data()
{
    // How late each step begins after the previous step's pause ended: the work done after a
    // pause, a slow step, another trace run inside a pause.
    QTest::addColumn<Micros>("lateness");
    QTest::newRow("none") << Micros {0, 0, 0, 0, 0, 0};
    QTest::newRow("short tails") << Micros {300, 150, 4999, 0, 1200, 5000};
    QTest::newRow("a slow step") << Micros {300, 20'000, 300, 300};
    QTest::newRow("a trace inside a pause") << Micros {300, 3'000'000, 300, 300, 300};
}

// The steps follow each other one interval apart whatever they do after their pause; what a
// step cannot give back is lost, never caught up, and no pause ends sooner than the shortest
// period after its own step's start.
void TestLivePause::scheduleKeepsThePaceStartToStart()
{
    QFETCH(Micros, lateness);
    using Clock = StepSchedule::Clock;
    constexpr std::chrono::nanoseconds interval = 50ms;
    const std::chrono::nanoseconds credit = interval - StepSchedule::shortestPeriod(interval);
    StepSchedule schedule(interval);

    const Clock::time_point first = Clock::time_point() + 1s;
    Clock::time_point end = schedule.beginStep(first);
    QCOMPARE(end - first, interval);
    std::chrono::nanoseconds lost {0};
    for (int late : lateness) {
        const std::chrono::nanoseconds tail = std::chrono::microseconds(late);
        const Clock::time_point start = end + tail;
        const Clock::time_point next = schedule.beginStep(start);
        QVERIFY(next - end >= interval);
        QVERIFY(next - start >= StepSchedule::shortestPeriod(interval));
        lost += std::max(tail - credit, std::chrono::nanoseconds(0));
        end = next;
    }
    QCOMPARE(end - first, interval * (lateness.size() + 1) + lost);
}

void TestLivePause::endsWhenTheScheduleSays_data()
{
    QTest::addColumn<int>("workMs");
    QTest::newRow("no work") << 0;
    QTest::newRow("some work") << 30;
    QTest::newRow("work longer than the interval") << 70;
}

void TestLivePause::endsWhenTheScheduleSays()
{
    QFETCH(int, workMs);
    LivePause pause;
    StepSchedule schedule(pause.interval());
    const auto deadline = schedule.beginStep();
    bool handled = false;
    QTimer::singleShot(0, [&] { handled = true; });
    QList<std::pair<StepSchedule::Clock::time_point, std::chrono::nanoseconds>> reported;
    QObject::connect(&pause, &LivePause::stepPaused,
                     [&](StepSchedule::Clock::time_point start, std::chrono::nanoseconds cost) {
                         reported.append({start, cost});
                     });
    std::this_thread::sleep_for(std::chrono::milliseconds(workMs));
    QCOMPARE(pause.wait(schedule), Result::Continue);
    QVERIFY(StepSchedule::Clock::now() >= deadline);
    QCOMPARE(deadline - schedule.stepStart(), pause.interval());
    // The pause tells when the step began and what its work cost.
    QCOMPARE(reported.size(), 1);
    QVERIFY(reported.constFirst().first == schedule.stepStart());
    QVERIFY(reported.constFirst().second >= std::chrono::milliseconds(workMs));
    // Even a step whose work took the whole interval lets pending events through.
    QVERIFY(handled);
}

void TestLivePause::keepsTheEventLoopRunning()
{
    LivePause pause;
    int fired = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++fired; });
    ticker.start(5);
    runSteps(pause, 4);
    // Timers fire all through the pauses, not once per pause.
    QVERIFY2(fired >= 20, qPrintable(QString::number(fired)));
}

void TestLivePause::nestedPausesFinishInnermostFirst()
{
    LivePause pause;
    pause.setInterval(20ms);
    QStringList log;
    int innerDepth = 0;
    QTimer::singleShot(5, [&] {
        innerDepth = pause.depth() + 1;
        runSteps(pause, 5, &log, QStringLiteral("inner"));
    });
    QElapsedTimer outer;
    outer.start();
    QCOMPARE(runSteps(pause, 2, &log, QStringLiteral("outer")), Result::Continue);
    QCOMPARE(log, QStringList({QStringLiteral("inner end"), QStringLiteral("outer end")}));
    QCOMPARE(innerDepth, 2);
    // The inner trace ran to its end inside the outer one's first pause (5 × 20 ms), then the
    // outer one went on with its second step.
    QVERIFY2(outer.elapsed() >= 5 * 20 + 20, qPrintable(QString::number(outer.elapsed())));
    QCOMPARE(pause.depth(), 0);
}

void TestLivePause::stopAllEndsEveryNestedPause()
{
    LivePause pause;
    QStringList log;
    QElapsedTimer sinceStop;
    QTimer::singleShot(20, [&] {
        QTimer::singleShot(20, [&] {
            QTimer::singleShot(20, [&] {
                sinceStop.start();
                pause.stopAll();
            });
            runSteps(pause, 1000, &log, QStringLiteral("third"));
        });
        runSteps(pause, 1000, &log, QStringLiteral("second"));
    });
    QCOMPARE(runSteps(pause, 1000, &log, QStringLiteral("first")), Result::Stop);
    QCOMPARE(log,
             QStringList({QStringLiteral("third stop"), QStringLiteral("second stop"),
                          QStringLiteral("first stop")}));
    QVERIFY2(sinceStop.elapsed() < 30, qPrintable(QString::number(sinceStop.elapsed())));
}

void TestLivePause::pausesAfterStopReturnAtOnce()
{
    LivePause pause;
    pause.stopAll();
    StepSchedule schedule(pause.interval());
    schedule.beginStep();
    QCOMPARE(pause.wait(schedule), Result::Stop);
    QVERIFY(StepSchedule::Clock::now() < schedule.deadline());
    QVERIFY(pause.stopped());
}

QTEST_GUILESS_MAIN(TestLivePause)
#include "tst_livepause.moc"
