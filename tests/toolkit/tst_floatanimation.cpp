// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/floatanimation.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <ctime>
#include <vector>

using toolkit::FloatAnimation;

namespace {

// Records every value the animation writes.
struct Probe
{
    std::vector<float> writes;
    float last() const { return writes.empty() ? -1.0f : writes.back(); }
};

std::unique_ptr<FloatAnimation> makeAnimation(QObject *owner, Probe &probe, float from, float to,
                                              float seconds, bool loop = false)
{
    auto animation = std::make_unique<FloatAnimation>(
        owner, QStringLiteral("Position.X"), [&probe](float v) { probe.writes.push_back(v); });
    animation->setStartValue(from);
    animation->setStopValue(to);
    animation->setDuration(seconds);
    animation->setLoop(loop);
    return animation;
}

double processCpuSeconds()
{
    return double(std::clock()) / CLOCKS_PER_SEC;
}

} // namespace

class TestFloatAnimation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void enableStartsFromStartValueAndEndsAtStopValue();
    void enablingAgainDoesNothing_data();
    void enablingAgainDoesNothing();
    void disableStopsAndRearms();
    void loopKeepsGoing();
    void zeroDurationLoopTurnsWithoutBusyLoop();
    void zeroDurationOneShotJumpsToStop();
    void durationWrittenBeforeEnablingSetsThePace();
    void durationWrittenWhileLoopingGoesOnFromWhereItIs();
};

void TestFloatAnimation::enableStartsFromStartValueAndEndsAtStopValue()
{
    QObject owner;
    Probe probe;
    auto animation = makeAnimation(&owner, probe, -400, 0, 0.2f);
    QSignalSpy finished(animation.get(), &FloatAnimation::finished);

    QVERIFY(!animation->enabled());
    animation->setEnabled(true);
    QVERIFY(animation->enabled());
    QVERIFY(!probe.writes.empty());
    QCOMPARE(probe.writes.front(), -400.0f); // jumps to the start at once

    QVERIFY(finished.wait(2000));
    QCOMPARE(probe.last(), 0.0f);
    QVERIFY(animation->enabled()); // a finished animation stays enabled
    QVERIFY(!animation->isRunning());
    // Values went up monotonically from start to stop.
    for (std::size_t i = 1; i < probe.writes.size(); ++i)
        QVERIFY(probe.writes[i] >= probe.writes[i - 1]);
}

void TestFloatAnimation::enablingAgainDoesNothing_data()
{
    QTest::addColumn<int>("waitMs");
    QTest::newRow("while running") << 50;
    QTest::newRow("after the end") << 400;
}

void TestFloatAnimation::enablingAgainDoesNothing()
{
    QFETCH(int, waitMs);
    QObject owner;
    Probe probe;
    auto animation = makeAnimation(&owner, probe, 20, 0, 0.2f);
    animation->setEnabled(true);
    QTest::qWait(waitMs);
    const std::size_t before = probe.writes.size();
    const float valueBefore = probe.last();

    animation->setEnabled(true);
    // No jump back to the start value: the next write (if any) continues from where it was.
    QVERIFY(probe.writes.size() == before || probe.writes[before] <= valueBefore);
    QTest::qWait(400);
    QCOMPARE(probe.last(), 0.0f);
    for (std::size_t i = before; i < probe.writes.size(); ++i)
        QVERIFY(probe.writes[i] != 20.0f);
}

void TestFloatAnimation::disableStopsAndRearms()
{
    QObject owner;
    Probe probe;
    auto animation = makeAnimation(&owner, probe, 0, -400, 0.4f);
    animation->setEnabled(true);
    QTest::qWait(120);
    animation->setEnabled(false);
    QVERIFY(!animation->enabled());
    const float stoppedAt = probe.last();
    QVERIFY(stoppedAt < 0.0f && stoppedAt > -400.0f); // stopped part way
    const std::size_t writes = probe.writes.size();
    QTest::qWait(150);
    QCOMPARE(probe.writes.size(), writes); // nothing moves any more

    animation->setEnabled(true); // re-armed: starts over from the start value
    QCOMPARE(probe.writes.at(writes), 0.0f);
    QTRY_COMPARE_WITH_TIMEOUT(probe.last(), -400.0f, 2000);
}

void TestFloatAnimation::loopKeepsGoing()
{
    QObject owner;
    Probe probe;
    auto animation = makeAnimation(&owner, probe, 0, 360, 0.1f, true);
    animation->setEnabled(true);
    QTest::qWait(350);
    QVERIFY(animation->isRunning());
    // Three passes or so: the value must have wrapped back towards the start at least twice.
    int wraps = 0;
    for (std::size_t i = 1; i < probe.writes.size(); ++i)
        wraps += probe.writes[i] < probe.writes[i - 1];
    QVERIFY2(wraps >= 2, qPrintable(QString::number(wraps)));
    animation->setEnabled(false);
    QVERIFY(!animation->isRunning());
}

void TestFloatAnimation::zeroDurationLoopTurnsWithoutBusyLoop()
{
    QObject owner;
    Probe probe;
    auto animation = makeAnimation(&owner, probe, 0, 360, 0.0f, true);
    const double cpuBefore = processCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    animation->setEnabled(true);
    QTest::qWait(500);
    const double cpu = processCpuSeconds() - cpuBefore;
    const double seconds = wall.elapsed() / 1000.0;

    QVERIFY(animation->isRunning());
    // It turns: many distinct angles, wrapping at the minimum period.
    QVERIFY(probe.writes.size() > 10);
    int wraps = 0;
    for (std::size_t i = 1; i < probe.writes.size(); ++i)
        wraps += probe.writes[i] < probe.writes[i - 1];
    const int expectedPasses = int(seconds / FloatAnimation::minimumLoopPeriod());
    QVERIFY2(wraps >= expectedPasses / 2 && wraps <= expectedPasses + 2,
             qPrintable(QStringLiteral("%1 wraps, %2 expected").arg(wraps).arg(expectedPasses)));
    // Paced by the animation timer (about 60 writes a second), not by a spinning loop.
    QVERIFY2(probe.writes.size() < 100 * seconds, qPrintable(QString::number(probe.writes.size())));
    QVERIFY2(cpu < 0.5 * seconds, qPrintable(QString::number(cpu)));
    animation->setEnabled(false);
}

void TestFloatAnimation::zeroDurationOneShotJumpsToStop()
{
    QObject owner;
    Probe probe;
    auto animation = makeAnimation(&owner, probe, 0, 20, 0.0f);
    QSignalSpy finished(animation.get(), &FloatAnimation::finished);
    animation->setEnabled(true);
    QCOMPARE(probe.last(), 20.0f);
    QCOMPARE(finished.count(), 1);
    QVERIFY(animation->enabled());
}

void TestFloatAnimation::durationWrittenBeforeEnablingSetsThePace()
{
    QObject owner;
    Probe probe;
    auto animation = makeAnimation(&owner, probe, 0, 1, 1.0f);
    animation->setDuration(0.3f);
    QSignalSpy finished(animation.get(), &FloatAnimation::finished);
    QElapsedTimer timer;
    timer.start();
    animation->setEnabled(true);
    QVERIFY(finished.wait(3000));
    const qint64 ms = timer.elapsed();
    // Qt's animation clock may count the run from its last tick, up to a frame or two early.
    QVERIFY2(ms >= 240 && ms < 900, qPrintable(QString::number(ms)));
}

// A shaft turning very slowly is given a short period while it turns: it goes on from its angle
// at the new pace at once, and every later pass runs from the start to the stop value.
void TestFloatAnimation::durationWrittenWhileLoopingGoesOnFromWhereItIs()
{
    QObject owner;
    Probe probe;
    auto animation = makeAnimation(&owner, probe, 0, 360, 100.0f, true);
    animation->setEnabled(true);
    QTRY_VERIFY(probe.last() > 0.0f);
    QTest::qWait(50);
    const std::size_t before = probe.writes.size();
    const float angle = probe.last();
    QVERIFY(angle < 3.6f); // a hundredth of its 100 s pass at most

    animation->setDuration(0.2f);
    QCOMPARE(animation->duration(), 0.2f);
    // At the old pace it would take 100 s to come round once.
    const auto wraps = [&] {
        int count = 0;
        for (std::size_t i = before + 1; i < probe.writes.size(); ++i)
            count += probe.writes[i] < probe.writes[i - 1];
        return count;
    };
    QTRY_VERIFY_WITH_TIMEOUT(wraps() >= 3, 5000);
    animation->setEnabled(false);

    // No jump: the first pass goes on from the angle it had, never back towards the start.
    std::size_t i = before;
    QVERIFY2(probe.writes[i] >= angle - 2.0f && probe.writes[i] < angle + 90.0f,
             qPrintable(QStringLiteral("%1 after %2").arg(probe.writes[i]).arg(angle)));
    for (++i; probe.writes[i] >= probe.writes[i - 1]; ++i) { }
    // The next pass rises from the start value towards the stop value.
    const float lowest = probe.writes[i];
    for (++i; probe.writes[i] >= probe.writes[i - 1]; ++i) { }
    const float highest = probe.writes[i - 1];
    QVERIFY2(lowest < 180.0f && highest > 180.0f,
             qPrintable(QStringLiteral("a pass from %1 to %2").arg(lowest).arg(highest)));
}

QTEST_MAIN(TestFloatAnimation)
#include "tst_floatanimation.moc"
