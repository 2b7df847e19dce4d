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

// A trace of @p steps point steps that do nothing; logs "<name> end" or "<name> stop".
Result runSteps(LivePause &pause, int steps, QStringList &log, const QString &name)
{
    StepSchedule schedule(pause.interval());
    for (int i = 0; i < steps; ++i) {
        schedule.beginStep();
        if (pause.wait(schedule) == Result::Stop) {
            log << name + QStringLiteral(" stop");
            return Result::Stop;
        }
    }
    log << name + QStringLiteral(" end");
    return Result::Continue;
}

} // namespace

class TestLivePause : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scheduleKeepsThePaceStartToStart();
    void endsWhenTheScheduleSaysWithTheWindowLive();
    void nestedPausesFinishInnermostFirst();
};

// The steps follow each other one interval apart whatever they do after their pause; what a
// step cannot give back is lost, never caught up, and no pause ends sooner than the shortest
// period after its own step's start.
void TestLivePause::scheduleKeepsThePaceStartToStart()
{
    constexpr std::chrono::nanoseconds interval = 50ms;
    const std::chrono::nanoseconds credit = interval - StepSchedule::shortestPeriod(interval);
    // How late each step begins after the previous step's pause ended: the work done after a
    // pause, a slow step, another trace run inside a pause.
    for (const Micros &lateness : {Micros {0, 0, 0}, Micros {300, 150, 4999, 0, 1200, 5000},
                                   Micros {300, 20'000, 300}, Micros {300, 3'000'000, 300}}) {
        StepSchedule schedule(interval);
        const auto first = StepSchedule::Clock::time_point() + 1s;
        auto end = schedule.beginStep(first);
        std::chrono::nanoseconds lost {0};
        for (int late : lateness) {
            const std::chrono::nanoseconds tail = std::chrono::microseconds(late);
            const auto next = schedule.beginStep(end + tail);
            QVERIFY(next - end >= interval);
            QVERIFY(next - (end + tail) >= StepSchedule::shortestPeriod(interval));
            lost += std::max(tail - credit, std::chrono::nanoseconds(0));
            end = next;
        }
        QCOMPARE(end - first, interval * (lateness.size() + 1) + lost);
    }
}

// Even a step whose work took longer than the interval lets pending events through.
void TestLivePause::endsWhenTheScheduleSaysWithTheWindowLive()
{
    for (int workMs : {0, 30, 70}) {
        LivePause pause;
        StepSchedule schedule(pause.interval());
        const auto deadline = schedule.beginStep();
        int fired = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] { ++fired; });
        ticker.start(5);
        std::chrono::nanoseconds reportedCost {-1};
        QObject::connect(&pause, &LivePause::stepPaused, [&](auto start, auto cost) {
            QVERIFY(start == schedule.stepStart());
            reportedCost = cost;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(workMs));
        QCOMPARE(pause.wait(schedule), Result::Continue);
        QVERIFY(StepSchedule::Clock::now() >= deadline);
        QCOMPARE(deadline - schedule.stepStart(), pause.interval());
        QVERIFY(reportedCost >= std::chrono::milliseconds(workMs));
        QVERIFY2(fired >= (workMs == 0 ? 5 : 1), qPrintable(QString::number(fired)));
    }
}

// A trace started in another's pause runs to its end inside it, and the interrupted one goes
// on: they nest. stopAll() ends every nested pause, innermost first, and any pause after it;
// how fast is a figure of bench/.
void TestLivePause::nestedPausesFinishInnermostFirst()
{
    LivePause pause;
    pause.setInterval(20ms);
    QStringList log;
    QList<int> depths;
    QTimer::singleShot(5, [&] {
        depths << pause.depth();
        runSteps(pause, 5, log, QStringLiteral("inner"));
    });
    QTimer::singleShot(200, [&] {
        QTimer::singleShot(20, [&] {
            depths << pause.depth();
            QTimer::singleShot(20, [&] { pause.stopAll(); });
            runSteps(pause, 1000, log, QStringLiteral("third"));
        });
        runSteps(pause, 1000, log, QStringLiteral("second"));
    });
    QElapsedTimer outer;
    outer.start();
    QCOMPARE(runSteps(pause, 1000, log, QStringLiteral("outer")), Result::Stop);
    QCOMPARE(log, QStringList({"inner end", "third stop", "second stop", "outer stop"}));
    QCOMPARE(depths, QList<int>({1, 2}));
    QVERIFY2(outer.elapsed() >= 240, qPrintable(QString::number(outer.elapsed())));
    QCOMPARE(pause.depth(), 0);
    StepSchedule schedule(pause.interval());
    schedule.beginStep();
    QCOMPARE(pause.wait(schedule), Result::Stop);
    QVERIFY(StepSchedule::Clock::now() < schedule.deadline());
}

QTEST_GUILESS_MAIN(TestLivePause)
#include "tst_livepause.moc"
