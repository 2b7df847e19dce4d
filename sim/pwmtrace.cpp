// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/pwmtrace.h"

#include "sim/dcmotor.h"

namespace sim::pwm {

namespace {

constexpr int pulseVolts = 12;

} // namespace

double averageLevel(int percent)
{
    // Whole volts only: the integer division is what the tab teaches with (4 V at 40 %).
    return static_cast<double>(dc::clampedPercent(percent) * pulseVolts / 100);
}

Plan plan(int percent)
{
    return Plan::pulseTrain(averageLevel(percent), dc::highWidth(percent));
}

} // namespace sim::pwm
