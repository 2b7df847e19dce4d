// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace sim::dc {

/// The whole percentage that tabs 1 and 2 keep (`vitessemoteur`, `vitessemoteur1`): the
/// track-bar value truncated toward zero, 37.5 giving 37. The track bar only gives 0 to 100;
/// anything outside is clamped to that range and NaN counts as 0, so the result is always a
/// valid percentage.
int truncatedPercent(double trackValue);

/// Clamps a stored percentage to 0..100, the only values the track bar can give, so that the
/// levels and the pulse train keep their shape whatever is passed.
int clampedPercent(int percent);

/// High width of the command signal, in x units out of a period of 20: (percent × 20) / 100 in
/// integer division, held as a double (0 to 20). @p percent is clamped to 0..100.
double highWidth(int percent);

/// Seconds per turn of the DC shaft animation (its `Duration`): (100 − trackValue) / 100
/// computed in double and stored in single precision. Takes the exact track-bar value, not the
/// truncated percentage: 37.5 gives 0.625, 100 gives 0.
float shaftDuration(double trackValue);

} // namespace sim::dc
