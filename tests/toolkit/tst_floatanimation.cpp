// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/floatanimation.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <vector>

using toolkit::FloatAnimation;

namespace {

// An animation that records every value it writes.
struct Recorded
{
    Recorded(float from, float to, float seconds, bool loop = false)
    {
        animation.setStartValue(from);
        animation.setStopValue(to);
        animation.setDuration(seconds);
        animation.setLoop(loop);
    }
    // Times the values fell back towards the start, from write @p from on.
    int wraps(std::size_t from = 0) const
    {
        int count = 0;
        for (std::size_t i = from + 1; i < writes.size(); ++i)
            count += writes[i] < writes[i - 1];
        return count;
    }
    float last() const { return writes.empty() ? -1.0f : writes.back(); }

    std::vector<float> writes;
    QObject owner;
    FloatAnimation animation {&owner, QStringLiteral("Position.X"),
                              [this](float v) { writes.push_back(v); }};
};

} // namespace

class TestFloatAnimation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void runsFromStartToStopAndStaysEnabled();
    void enablingAgainDoesNothing_data();
    void enablingAgainDoesNothing();
    void disableStopsAndRearms();
    void loopsKeepGoingEvenWithoutDuration();
    void zeroDurationOneShotJumpsToStop();
    void durationWrittenWhileLoopingGoesOnFromWhereItIs();
};

void TestFloatAnimation::runsFromStartToStopAndStaysEnabled()
{
    Recorded r(-400, 0, 1.0f);
    r.animation.setDuration(0.3f); // written just before enabling: that is the pace
    QSignalSpy finished(&r.animation, &FloatAnimation::finished);
    QElapsedTimer timer;
    timer.start();
    r.animation.setEnabled(true);
    QCOMPARE(r.writes.at(0), -400.0f); // jumps to the start at once
    QVERIFY(finished.wait(3000));
    // Qt's animation clock may count the run from its last tick, a frame or two early.
    QVERIFY2(timer.elapsed() >= 240, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(r.last(), 0.0f);
    QCOMPARE(r.wraps(), 0);
    QVERIFY(r.animation.enabled());
    QVERIFY(!r.animation.isRunning());
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
    Recorded r(20, 0, 0.2f);
    r.animation.setEnabled(true);
    QTest::qWait(waitMs);
    const std::size_t before = r.writes.size();
    r.animation.setEnabled(true);
    QTest::qWait(400);
    QCOMPARE(r.last(), 0.0f);
    // No jump back to the start value.
    QCOMPARE(std::count(r.writes.begin() + qsizetype(before), r.writes.end(), 20.0f), 0);
}

void TestFloatAnimation::disableStopsAndRearms()
{
    Recorded r(0, -400, 0.4f);
    r.animation.setEnabled(true);
    QTest::qWait(120);
    r.animation.setEnabled(false);
    QVERIFY(!r.animation.enabled());
    QVERIFY(r.last() < 0.0f && r.last() > -400.0f); // stopped part way
    const std::size_t writes = r.writes.size();
    QTest::qWait(150);
    QCOMPARE(r.writes.size(), writes);
    r.animation.setEnabled(true); // re-armed: starts over
    QCOMPARE(r.writes.at(writes), 0.0f);
    QTRY_COMPARE_WITH_TIMEOUT(r.last(), -400.0f, 2000);
}

// A period of 0 turns at the shortest period, paced by the animation timer; its cost is a
// figure of bench/.
void TestFloatAnimation::loopsKeepGoingEvenWithoutDuration()
{
    for (float seconds : {0.1f, 0.0f}) {
        Recorded r(0, 360, seconds, true);
        r.animation.setEnabled(true);
        QTRY_VERIFY_WITH_TIMEOUT(r.wraps() >= 3, 3000);
        QVERIFY(r.animation.isRunning());
        r.animation.setEnabled(false);
        QVERIFY(!r.animation.isRunning());
    }
}

void TestFloatAnimation::zeroDurationOneShotJumpsToStop()
{
    Recorded r(0, 20, 0.0f);
    QSignalSpy finished(&r.animation, &FloatAnimation::finished);
    r.animation.setEnabled(true);
    QCOMPARE(r.last(), 20.0f);
    QCOMPARE(finished.count(), 1);
    QVERIFY(r.animation.enabled());
}

// A shaft turning very slowly is given a short period while it turns: it goes on from its angle
// at the new pace at once, and every later pass runs from the start to the stop value.
void TestFloatAnimation::durationWrittenWhileLoopingGoesOnFromWhereItIs()
{
    Recorded r(0, 360, 100.0f, true);
    r.animation.setEnabled(true);
    QTRY_VERIFY(r.last() > 0.0f);
    QTest::qWait(50);
    const std::size_t before = r.writes.size();
    const float angle = r.last();
    QVERIFY(angle < 3.6f);

    r.animation.setDuration(0.2f);
    QTRY_VERIFY_WITH_TIMEOUT(r.wraps(before) >= 3, 5000); // 100 s a pass at the old pace
    r.animation.setEnabled(false);
    std::size_t i = before;
    QVERIFY2(r.writes[i] >= angle - 2.0f && r.writes[i] < angle + 90.0f,
             qPrintable(QStringLiteral("%1 after %2").arg(r.writes[i]).arg(angle)));
    for (++i; r.writes[i] >= r.writes[i - 1]; ++i) { }
    const float lowest = r.writes[i];
    for (++i; r.writes[i] >= r.writes[i - 1]; ++i) { }
    QVERIFY2(lowest < 180.0f && r.writes[i - 1] > 180.0f,
             qPrintable(QStringLiteral("a pass from %1 to %2").arg(lowest).arg(r.writes[i - 1])));
}

QTEST_MAIN(TestFloatAnimation)
#include "tst_floatanimation.moc"
