// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace sim::stepper {

/// Supply level (`tension`) of the stepper traces, and the level of an energised coil, in volts.
inline constexpr double supplyLevel = 5.0;

/// Smallest non-zero slowness a track-bar position can give: 100 − v in single precision is a
/// multiple of 2^-17 (the float spacing just below 100) for any v from 0 to 100.
inline constexpr float smallestSlowness = 0x1p-17f;
/// Largest slowness a track-bar position can give: that of a percentage of 0.
inline constexpr float largestSlowness = 100.0f;

/// The percentage that tabs 3 and 4 keep (`vitessemoteur3`, `vitessemoteur4`): the
/// track-bar value in single precision.
float speed(double trackValue);

/// The slowness that tabs 3 and 4 keep (`lenteurmoteur3`, `lenteurmoteur4`): 100 − @p speed,
/// computed in single precision. 0 at 100 %.
float slowness(float speed);

/// Samples per step of a stepper trace: @p slowness / 100 × 20 / 2 computed in double (a tenth
/// of the slowness: 10 at 0 %, 5 at 50 %, 6.25 at 37.5 %, 0.5 at 95 %).
///
/// Empty when there is no trace: a slowness of 0 (track bar at 100, or never moved), which
/// would give steps that never advance. A slowness outside [smallestSlowness,
/// largestSlowness], or NaN, comes from no track-bar position; it is refused the same way,
/// since a negative, NaN or vanishing step would keep the trace from ever ending.
std::optional<double> stepLength(float slowness);

} // namespace sim::stepper
