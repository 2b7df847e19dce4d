// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/plan.h"

#include <QList>

namespace simtest {

/// The steps of a plan as a player would run them; none past @p cap steps (a runaway trace).
inline QList<sim::Step> record(const sim::Plan &plan, qsizetype cap = 1'000'000)
{
    QList<sim::Step> steps;
    for (const sim::Step &step : plan) {
        if (steps.size() == cap)
            return {};
        steps.append(step);
    }
    return steps;
}

} // namespace simtest
