// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/plan.h"

#include <optional>

namespace sim::bipolar {

/// The tab-4 trace for @p slowness (`lenteurmoteur4`): two series in append order, `tr11`
/// (coil 1) then `tr12` (coil 2), whose levels over each cycle of four steps are +5/0, 0/+5,
/// −5/0, 0/−5. The rotor (`rotor1`) is set to −90 × (n − 1) degrees after every point of step
/// n and the angle edit box (`Edit7`) shows 0 before the first point and −90 × n from the end
/// of step n.
///
/// Empty when the trace is refused: see stepper::stepLength().
std::optional<Plan> plan(float slowness);

} // namespace sim::bipolar
