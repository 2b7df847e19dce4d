// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/stepper.h"

namespace sim::stepper {

float speed(double trackValue)
{
    return static_cast<float>(trackValue);
}

float slowness(float speed)
{
    return 100.0f - speed;
}

std::optional<double> stepLength(float slowness)
{
    // Written so that NaN fails it too.
    if (!(slowness >= smallestSlowness && slowness <= largestSlowness))
        return std::nullopt;
    return static_cast<double>(slowness) / 100.0 * 20.0 / 2.0;
}

} // namespace sim::stepper
