// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing of the shaft's turn over every whole percentage of the track bars, both ways and
// at three frame rates: what the eye reads never slows down as the percentage rises, never
// turns backwards, and the eye can follow every drawn step.

#include "scene/drawnspin.h"

#include <QTest>

#include <cmath>

using scene::DrawnSpin;

class TestDrawnSpin : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsFasterAsThePercentageRises_data();
    void readsFasterAsThePercentageRises();
};

void TestDrawnSpin::readsFasterAsThePercentageRises_data()
{
    QTest::addColumn<double>("framesPerSecond");
    QTest::addColumn<float>("turn"); // degrees per pass, as the two shaft animations give them
    for (double fps : {30.0, 60.0, 144.0}) {
        for (float turn : {360.0f, -360.0f})
            QTest::addRow("%g fps, %g°", fps, turn) << fps << turn;
    }
}

void TestDrawnSpin::readsFasterAsThePercentageRises()
{
    QFETCH(double, framesPerSecond);
    QFETCH(float, turn);
    DrawnSpin previous;
    for (int percent = 0; percent <= 100; ++percent) {
        // The period the handlers write; at 0 % the shaft is not started.
        const float seconds = float((100.0 - percent) / 100.0);
        const double rate = percent == 0 ? 0.0 : DrawnSpin::loopRate(0, turn, seconds);
        const DrawnSpin drawn = DrawnSpin::of(rate, framesPerSecond);
        const QByteArray at = QByteArray::number(percent) + " %";

        // A step the eye follows without doubt, the true way.
        QVERIFY2(std::abs(drawn.stepDegrees) <= DrawnSpin::repeatDegrees / 4, at.constData());
        QVERIFY2(drawn.stepDegrees * rate > 0 || (percent == 0 && drawn.stepDegrees == 0),
                 at.constData());
        QVERIFY2(drawn.smear >= 0 && drawn.smear <= 1, at.constData());
        // As it truly turns when the eye can follow that.
        const double trueStep = rate / framesPerSecond;
        if (std::abs(trueStep) <= DrawnSpin::maxStepDegrees) {
            QCOMPARE(drawn.stepDegrees, trueStep);
            QCOMPARE(drawn.smear, 0.0);
        }
        // Something visible grows with every percent, nothing shrinks.
        if (percent > 0) {
            const double step = std::abs(drawn.stepDegrees);
            const double before = std::abs(previous.stepDegrees);
            QVERIFY2(step >= before && drawn.smear >= previous.smear, at.constData());
            QVERIFY2(step > before || drawn.smear > previous.smear, at.constData());
        }
        previous = drawn;
    }
    // 100 % is the fastest of all.
    QCOMPARE(previous.smear, 1.0);
}

QTEST_APPLESS_MAIN(TestDrawnSpin)
#include "tst_drawnspin.moc"
