// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/unipolartrace.h"

#include "sim/stepper.h"

namespace sim::unipolar {

std::optional<Plan> plan(float slowness)
{
    const std::optional<double> length = stepper::stepLength(slowness);
    if (!length)
        return std::nullopt;

    constexpr double on = stepper::supplyLevel;
    return Plan::stepper(
        *length,
        {{{on, 0.0, 0.0, 0.0}, {0.0, on, 0.0, 0.0}, {0.0, 0.0, on, 0.0}, {0.0, 0.0, 0.0, on}}});
}

} // namespace sim::unipolar
