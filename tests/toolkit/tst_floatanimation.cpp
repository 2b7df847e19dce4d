// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/floatanimation.h"

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
    void loopsUntilDisabledThenStartsOver();
    void durationWrittenWhileLoopingGoesOnFromWhereItIs();
};

// The duration written last before enabling sets the pace, 0 jumping to the end at once; a
// finished animation stays enabled, and enabling it again, finished or not, changes nothing.
void TestFloatAnimation::runsFromStartToStopAndStaysEnabled()
{
    for (int waitMs : {0, 50, 400}) {
        Recorded r(20, 0, 1.0f);
        r.animation.setDuration(waitMs ? 0.3f : 0.0f);
        r.animation.setEnabled(true);
        QTest::qWait(waitMs);
        const qsizetype before = r.writes.size();
        r.animation.setEnabled(true);
        QTRY_COMPARE(r.finished.count(), 1);
        QCOMPARE(r.writes.last(), 0.0f);
        QVERIFY(!r.writes.mid(before).contains(20.0f));
        QVERIFY(r.animation.enabled());
    }
}

// A period of 0 turns at the shortest period, paced by the animation timer.
void TestFloatAnimation::loopsUntilDisabledThenStartsOver()
{
    for (float seconds : {0.1f, 0.0f}) {
        Recorded r(0, 360, seconds, true);
        r.animation.setEnabled(true);
        QTRY_VERIFY_WITH_TIMEOUT(r.wraps() >= 3, 3000);
        r.animation.setEnabled(false);
        const qsizetype writes = r.writes.size();
        QTest::qWait(50);
        QCOMPARE(r.writes.size(), writes);
        r.animation.setEnabled(true);
        QCOMPARE(r.writes.at(writes), 0.0f);
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
    r.animation.setDuration(0.2f);
    QTRY_VERIFY_WITH_TIMEOUT(r.wraps(before) >= 3, 5000); // 100 s a pass at the old pace
    r.animation.setEnabled(false);
    qsizetype i = before;
    QVERIFY(r.writes[i] >= angle - 2.0f && r.writes[i] < angle + 90.0f);
    for (++i; r.writes[i] >= r.writes[i - 1]; ++i) { }
    const float lowest = r.writes[i];
    for (++i; r.writes[i] >= r.writes[i - 1]; ++i) { }
    QVERIFY(lowest < 180.0f && r.writes[i - 1] > 180.0f);
}

QTEST_MAIN(TestFloatAnimation)
#include "tst_floatanimation.moc"
