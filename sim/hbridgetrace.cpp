// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/hbridgetrace.h"

#include "sim/dcmotor.h"

namespace sim::hbridge {

double averageLevel(int percent, double supply)
{
    return dc::clampedPercent(percent) * supply / 100.0;
}

Plan runPlan(int percent, double supply)
{
    return Plan::pulseTrain(averageLevel(percent, supply), dc::highWidth(percent));
}

} // namespace sim::hbridge
