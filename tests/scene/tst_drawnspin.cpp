// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/drawnspin.h"

#include <QTest>

#include <cmath>

using scene::DrawnSpin;

class TestDrawnSpin : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsFasterAsThePercentageRises();
};

// Over every whole percentage of the track bars, both ways (the two shaft animations turn 360
// and -360 degrees a pass) and at three frame rates: what the eye reads never slows down as the
// percentage rises, never turns backwards, and the eye can follow every drawn step.
void TestDrawnSpin::readsFasterAsThePercentageRises()
{
    for (const double fps : {30.0, 60.0, 144.0}) {
        for (const float turn : {360.0f, -360.0f}) {
            DrawnSpin previous;
            for (int percent = 0; percent <= 100; ++percent) {
                // The period the handlers write; at 0 % the shaft is not started.
                const float seconds = float((100.0 - percent) / 100.0);
                const double rate = percent == 0 ? 0.0 : DrawnSpin::loopRate(0, turn, seconds);
                const DrawnSpin drawn = DrawnSpin::of(rate, fps);
                const QByteArray at =
                    QStringLiteral("%1 %, %2 fps, %3").arg(percent).arg(fps).arg(turn).toUtf8();
                const double step = std::abs(drawn.stepDegrees);
                QVERIFY2(step <= DrawnSpin::repeatDegrees / 4 && drawn.smear >= 0
                             && drawn.smear <= 1
                             && (drawn.stepDegrees * rate > 0 || (percent == 0 && step == 0)),
                         at.constData());
                // As it truly turns when the eye can follow that.
                if (std::abs(rate / fps) <= DrawnSpin::maxStepDegrees)
                    QVERIFY2(drawn.stepDegrees == rate / fps && drawn.smear == 0, at.constData());
                // Something visible grows with every percent, nothing shrinks.
                const double before = std::abs(previous.stepDegrees);
                QVERIFY2(percent == 0
                             || (step >= before && drawn.smear >= previous.smear
                                 && (step > before || drawn.smear > previous.smear)),
                         at.constData());
                previous = drawn;
            }
            QCOMPARE(previous.smear, 1.0); // 100 % is the fastest of all
        }
    }
}

QTEST_APPLESS_MAIN(TestDrawnSpin)
#include "tst_drawnspin.moc"
