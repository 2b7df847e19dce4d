// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/plan.h"

#include <optional>

namespace sim::unipolar {

/// The tab-3 trace for @p slowness (`lenteurmoteur3`): four series in append order, `tr1` to
/// `tr4`, step n (from 1) energising coil ((n − 1) mod 4) + 1 at 5.0 while the others are at 0.
/// The rotor (`rotor1`) is set to −90 × (n − 1) degrees after every point of step n and the
/// angle edit box (`Edit6`) shows 0 before the first point and −90 × n from the end of step n.
///
/// Empty when the trace is refused: see stepper::stepLength().
std::optional<Plan> plan(float slowness);

} // namespace sim::unipolar
