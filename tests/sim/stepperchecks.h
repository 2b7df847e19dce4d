// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "planrecording.h"

#include <QTest>

#include <vector>

namespace simtest {

/// Checks the rules every stepper run follows, whatever its step length: the levels of motor
/// step n are @p cycleLevels[n mod 4] on every one of its points; the next step starts on the
/// abscissa where the previous one ended; the rotor is at -90 × n during step n and the edit box
/// shows -90 × (n + 1) from its end; x never decreases; the run stops after the first whole
/// cycle that ends at or beyond 101, and not before. Reports through QTest; the caller returns
/// when QTest::currentTestFailed().
inline void verifyStepperRun(const Recording &recording,
                             const QList<std::vector<double>> &cycleLevels)
{
    const QList<sim::Step> &steps = recording.steps;
    QVERIFY2(recording.ended, "the run did not end");
    QVERIFY(!steps.isEmpty());
    QCOMPARE(steps.first().x, 0.0);

    for (qsizetype i = 1; i < steps.size(); ++i)
        QVERIFY2(steps.at(i).x >= steps.at(i - 1).x, qPrintable(QString::number(i)));

    const QList<QList<sim::Step>> groups = motorSteps(steps);
    QVERIFY2(groups.last().last().angleText, "the run stops in the middle of a step");
    QCOMPARE(groups.size() % 4, 0);

    for (qsizetype n = 0; n < groups.size(); ++n) {
        const QList<sim::Step> &group = groups.at(n);
        const std::vector<double> &levels = cycleLevels.at(n % 4);
        const float angle = -90.0f * float(n);
        for (const sim::Step &step : group) {
            QVERIFY2(step.y == levels,
                     qPrintable(QStringLiteral("step %1 at x %2").arg(n).arg(step.x)));
            QCOMPARE(step.rotorAngle, std::optional(angle));
        }
        QCOMPARE(group.last().angleText, std::optional(angle - 90.0f));
        if (n > 0)
            QCOMPARE(group.first().x, groups.at(n - 1).last().x);
        // The bound is checked between cycles only.
        if (n % 4 == 3)
            QCOMPARE(group.last().x < 101.0, n != groups.size() - 1);
    }
}

/// Checks a run whose step length @p stepLength is whole: @p steps motor steps, step n covering
/// the samples L × n to L × (n + 1), both included, so L + 1 points each.
inline void verifyWholeSteps(const Recording &recording, int stepLength, int steps)
{
    const QList<QList<sim::Step>> groups = motorSteps(recording.steps);
    QCOMPARE(groups.size(), steps);
    for (qsizetype n = 0; n < groups.size(); ++n) {
        QCOMPARE(groups.at(n).size(), stepLength + 1);
        QCOMPARE(groups.at(n).first().x, double(stepLength * n));
        QCOMPARE(groups.at(n).last().x, double(stepLength * (n + 1)));
    }
}

} // namespace simtest
