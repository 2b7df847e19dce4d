// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/floatanimation.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

using toolkit::FloatAnimation;

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
    int wraps(qsizetype from = 0) const
    {
        int count = 0;
        for (qsizetype i = from + 1; i < writes.size(); ++i)
            count += writes[i] < writes[i - 1];
        return count;
    }
    QList<float> writes;
    QObject owner;
    FloatAnimation animation {&owner, QStringLiteral("x"), [this](float v) { writes << v; }};
    QSignalSpy finished {&animation, &FloatAnimation::finished};
};

class TestFloatAnimation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void runsFromStartToStopAndStaysEnabled();
    void disableStopsAndRearms();
    void loopsKeepGoingEvenWithoutDuration();
    void durationWrittenWhileLoopingGoesOnFromWhereItIs();
};

// The duration written last before enabling sets the pace, 0 jumping to the end at once; a
// finished animation stays enabled, and enabling it again, finished or not, changes nothing.
void TestFloatAnimation::runsFromStartToStopAndStaysEnabled()
{
    for (int waitMs : {0, 50, 400}) {
        Recorded r(20, 0, 1.0f);
        r.animation.setDuration(waitMs ? 0.3f : 0.0f);
        QElapsedTimer timer;
        timer.start();
        r.animation.setEnabled(true);
        QCOMPARE(r.writes.last(), waitMs ? 20.0f : 0.0f); // at the start at once
        QTest::qWait(waitMs);
        const qsizetype before = r.writes.size();
        r.animation.setEnabled(true);
        QTRY_COMPARE(r.finished.count(), 1);
        // Qt's animation clock may count the run from its last tick, a frame or two early.
        QVERIFY2(!waitMs || timer.elapsed() >= 240, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(r.writes.last(), 0.0f);
        QVERIFY(std::is_sorted(r.writes.rbegin(), r.writes.rend()));
        QVERIFY(!r.writes.mid(before).contains(20.0f));
        QVERIFY(r.animation.enabled() && !r.animation.isRunning());
    }
}

void TestFloatAnimation::disableStopsAndRearms()
{
    Recorded r(0, -400, 0.4f);
    r.animation.setEnabled(true);
    QTest::qWait(120);
    r.animation.setEnabled(false);
    QVERIFY(!r.animation.enabled());
    QVERIFY(r.writes.last() < 0.0f && r.writes.last() > -400.0f); // stopped part way
    const qsizetype writes = r.writes.size();
    QTest::qWait(150);
    QCOMPARE(r.writes.size(), writes);
    r.animation.setEnabled(true); // re-armed: starts over
    QCOMPARE(r.writes.at(writes), 0.0f);
    QTRY_COMPARE_WITH_TIMEOUT(r.writes.last(), -400.0f, 2000);
}

// A period of 0 turns at the shortest period, paced by the animation timer; what that costs is
// a figure of bench/.
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

// A shaft turning very slowly is given a short period while it turns: it goes on from its angle
// at the new pace at once, and every later pass runs from the start to the stop value.
void TestFloatAnimation::durationWrittenWhileLoopingGoesOnFromWhereItIs()
{
    Recorded r(0, 360, 100.0f, true);
    r.animation.setEnabled(true);
    QTest::qWait(80);
    const qsizetype before = r.writes.size();
    const float angle = r.writes.last();
    QVERIFY(angle > 0.0f && angle < 3.6f);
    r.animation.setDuration(0.2f);
    QTRY_VERIFY_WITH_TIMEOUT(r.wraps(before) >= 3, 5000); // 100 s a pass at the old pace
    r.animation.setEnabled(false);
    qsizetype i = before;
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
