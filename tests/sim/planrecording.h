// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/plan.h"

#include <QList>
#include <QPointF>

namespace simtest {

/// The steps of a plan as a player would run them.
struct Recording
{
    QList<sim::Step> steps;
    /// False when the plan was still going after the cap: a runaway trace fails a test
    /// instead of hanging it.
    bool ended = false;
};

inline Recording record(const sim::Plan &plan, qsizetype cap = 1'000'000)
{
    Recording recording;
    for (auto it = plan.begin(); it != plan.end(); ++it) {
        if (recording.steps.size() == cap)
            return recording;
        recording.steps.append(*it);
    }
    recording.ended = true;
    return recording;
}

/// The points appended to series @p index, in the order they were appended.
inline QList<QPointF> series(const QList<sim::Step> &steps, qsizetype index)
{
    QList<QPointF> points;
    points.reserve(steps.size());
    for (const sim::Step &step : steps)
        points.append(QPointF(step.x, step.y.at(std::size_t(index))));
    return points;
}

/// The point steps split into motor steps: each motor step ends with the point step that writes
/// the angle edit box. Point steps left after the last such write form a last group of their own.
inline QList<QList<sim::Step>> motorSteps(const QList<sim::Step> &steps)
{
    QList<QList<sim::Step>> groups(1);
    for (const sim::Step &step : steps) {
        groups.last().append(step);
        if (step.angleText)
            groups.append(QList<sim::Step>());
    }
    if (groups.last().isEmpty())
        groups.removeLast();
    return groups;
}

} // namespace simtest
