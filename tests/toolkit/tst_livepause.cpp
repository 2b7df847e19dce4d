// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/livepause.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <thread>

using namespace std::chrono_literals;
using toolkit::LivePause;
using Result = LivePause::Result;

namespace {

// Runs @p steps point steps: each starts a step timer, does nothing, and pauses.
Result runSteps(LivePause &pause, int steps, QStringList *log = nullptr, const QString &name = {})
{
    for (int i = 0; i < steps; ++i) {
        QElapsedTimer step;
        step.start();
        if (pause.wait(step) == Result::Stop) {
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
    void lastsTheIntervalFromTheStepStart_data();
    void lastsTheIntervalFromTheStepStart();
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

void TestLivePause::lastsTheIntervalFromTheStepStart_data()
{
    QTest::addColumn<int>("workMs");
    QTest::newRow("no work") << 0;
    QTest::newRow("some work") << 30;
    QTest::newRow("work longer than the interval") << 70;
}

void TestLivePause::lastsTheIntervalFromTheStepStart()
{
    QFETCH(int, workMs);
    LivePause pause;
    QElapsedTimer step;
    step.start();
    std::this_thread::sleep_for(std::chrono::milliseconds(workMs));
    QCOMPARE(pause.wait(step), Result::Continue);
    const qint64 total = step.elapsed();
    // Never shorter than the interval; the work of the step is not added on top of it.
    QVERIFY2(total >= 50, qPrintable(QString::number(total)));
    QVERIFY2(total < std::max(50, workMs) + 25, qPrintable(QString::number(total)));
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
    QElapsedTimer step;
    step.start();
    QCOMPARE(pause.wait(step), Result::Stop);
    QVERIFY(step.elapsed() < 10);
    QVERIFY(pause.stopped());
}

QTEST_GUILESS_MAIN(TestLivePause)
#include "tst_livepause.moc"
