// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/plan.h"

namespace sim::pwm {

/// Average voltage of the tab-1 trace, in volts: (percent × 12) / 100 in integer division,
/// held as a double, so 40 % gives 4, not 4.8. @p percent (`vitessemoteur`) is clamped to
/// 0..100.
double averageLevel(int percent);

/// The tab-1 trace for @p percent (`vitessemoteur`, clamped to 0..100): two series in append
/// order, `tensionmoyenne` (the average level) then `signalrco` (the command, 12.0 or 0.0),
/// 132 point steps from x = 0 to x = 120. No rotor, no angle text.
Plan plan(int percent);

} // namespace sim::pwm
