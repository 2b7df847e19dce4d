// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/floatanimation.h"
#include "toolkit/lessonclock.h"

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
        clock.start();
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
    QList<qint64> times; // ms on clock, of each write
    QElapsedTimer clock;
    QObject owner;
    FloatAnimation animation {&owner, QStringLiteral("x"), [this](float v) {
                                  writes << v;
                                  times << clock.elapsed();
                              }};
    QSignalSpy finished {&animation, &FloatAnimation::finished};
};

class TestFloatAnimation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void runsFromStartToStopAndStaysEnabled();
    void loopsUntilDisabledThenStartsOver();
    void durationWrittenWhileLoopingGoesOnFromWhereItIs();
    void heldWithTheLessonSteppedAndLetGo();
};

// The duration written last before enabling sets the pace, 0 jumping to the end at once; a
// finished animation stays enabled, and enabling it again, finished or not, changes nothing.
void TestFloatAnimation::runsFromStartToStopAndStaysEnabled()
{
    for (const int phase : {0, 1, 2}) { // enabled again at once, while it runs, once it is over
        Recorded r(20, 0, 1.0f);
        r.animation.setDuration(phase ? 0.3f : 0.0f);
        r.animation.setEnabled(true);
        if (phase == 1)
            QTRY_VERIFY(r.writes.size() >= 2);
        if (phase == 2)
            QTRY_COMPARE(r.finished.count(), 1);
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
        Recorded ticks(0, 360, 0.1f, true); // the animation timer's own ticks, to wait for
        ticks.animation.setEnabled(true);
        QTRY_VERIFY(ticks.writes.size() >= 4);
        QCOMPARE(r.writes.size(), writes);
        r.animation.setEnabled(true);
        QCOMPARE(r.writes.at(writes), 0.0f);
    }
}

// A shaft turning very slowly is given a short period while it turns: it goes on from its angle
// at the new pace at once (by what the time since then gives at that pace, however late the
// ticks come), and every later pass runs from the start to the stop value.
void TestFloatAnimation::durationWrittenWhileLoopingGoesOnFromWhereItIs()
{
    Recorded r(0, 360, 100.0f, true);
    r.animation.setEnabled(true);
    QTRY_VERIFY(r.writes.size() >= 2 && r.clock.elapsed() >= 300);
    const qsizetype before = r.writes.size();
    const float angle = r.writes.last();
    const qint64 changed = r.clock.elapsed();
    r.animation.setDuration(1.0f);
    QTRY_VERIFY_WITH_TIMEOUT(r.wraps(before) >= 2, 20000); // 100 s a pass at the old pace
    r.animation.setEnabled(false);
    qsizetype i = before;
    // At most 0.36 degrees a millisecond from the angle it had, a little over for the old pace;
    // the timer keeps whole milliseconds, so the place it goes on from may lie half of one back.
    const float reach = angle + 0.36f * float(r.times[i] - changed) + 1.0f;
    QVERIFY2(r.writes[i] >= angle - 0.18f && (r.writes[i] <= reach || reach >= 360.0f),
             qPrintable(QStringLiteral("%1 after %2").arg(r.writes[i]).arg(angle)));
    for (++i; r.writes[i] >= r.writes[i - 1]; ++i) { }
    const float lowest = r.writes[i];
    for (++i; r.writes[i] >= r.writes[i - 1]; ++i) { }
    QVERIFY(lowest < 180.0f && r.writes[i - 1] > 180.0f);
}

// An animation of the lesson, held, writes nothing and still runs while the window's own go on;
// a step moves it on by the step's time at once; let go, it goes on from there. A slowed lesson
// slows it: a quarter turn of the wall takes it a tenth as far.
void TestFloatAnimation::heldWithTheLessonSteppedAndLetGo()
{
    toolkit::LessonClock lesson;
    Recorded r(0, 360, 1.0f, true);
    r.animation.setClock(&lesson);
    r.animation.setEnabled(true);
    QTRY_VERIFY(r.writes.size() >= 2);
    lesson.setPaused(true);
    const qsizetype writes = r.writes.size();
    const float held = r.writes.last();
    Recorded window(0, 360, 0.1f, true); // the window's own, on the wall's time
    window.animation.setEnabled(true);
    QTRY_VERIFY(window.wraps() >= 2);
    QCOMPARE(r.writes.size(), writes);
    QVERIFY(r.animation.isRunning());
    lesson.advance(std::chrono::milliseconds(250));
    QCOMPARE(r.writes.size(), writes + 1);
    QCOMPARE(std::fmod(r.writes.last() - held + 360.0f, 360.0f), 90.0f);
    lesson.setPace(toolkit::LessonClock::Pace::Tenth);
    lesson.setPaused(false);
    QTRY_VERIFY(r.writes.size() >= writes + 3);
    const qint64 slowedAt = r.times.last();
    const float slowed = r.writes.last();
    QTRY_VERIFY(r.clock.elapsed() - slowedAt >= 250 && r.writes.size() >= writes + 6);
    r.animation.setEnabled(false);
    const float turned = std::fmod(r.writes.last() - slowed + 360.0f, 360.0f);
    // At most 36 degrees a second of the wall, the write times kept to the millisecond.
    QVERIFY2(turned > 0.0f && turned <= 0.036f * float(r.times.last() - slowedAt + 2),
             qPrintable(QString::number(turned)));
}

QTEST_MAIN(TestFloatAnimation)
#include "tst_floatanimation.moc"
