// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/plan.h"

namespace sim::hbridge {

/// Supply level (`tension`) of a run in the positive direction, in volts.
inline constexpr double positiveSupply = 12.0;
/// Supply level (`tension`) of a run in the negative direction, in volts.
inline constexpr double negativeSupply = -12.0;

/// Signed average voltage across the motor during one direction run, in volts:
/// percent × supply / 100 in double precision, not truncated (4.44 at 37 % positive, -6.0 at
/// 50 % negative). @p percent (`vitessemoteur1`) is clamped to 0..100; @p supply is the run's
/// `tension`, positiveSupply or negativeSupply.
double averageLevel(int percent, double supply);

/// One direction run of tab 2: two series in append order, `tensionmoyenne1` (the signed
/// average level) then the direction's pulsed series (`signalrco1` or `signalrco2`, always
/// 12.0 or 0.0), 132 point steps from x = 0 to x = 120. No rotor, no angle text.
/// Choosing the direction, the pulsed series and the animation is the caller's business.
Plan runPlan(int percent, double supply);

} // namespace sim::hbridge
