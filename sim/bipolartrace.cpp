// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/bipolartrace.h"

#include "sim/stepper.h"

namespace sim::bipolar {

std::optional<Plan> plan(float slowness)
{
    const std::optional<double> length = stepper::stepLength(slowness);
    if (!length)
        return std::nullopt;

    // Full steps, one coil at a time, each in both polarities.
    constexpr double on = stepper::supplyLevel;
    return Plan::stepper(*length, {{{on, 0.0}, {0.0, on}, {-on, 0.0}, {0.0, -on}}});
}

} // namespace sim::bipolar
