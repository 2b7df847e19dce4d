// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <vector>

namespace sim {

/// One point step of a trace, in the order a player carries it out: append (x, y[i]) to the
/// trace's series i for every i in append order, pause with the window live, then write
/// rotorAngle (if any) to the stepper rotor, then angleText (if any) into the angle edit box.
struct Step
{
    /// Abscissa of every point of the step: a whole sample index, in x units.
    double x = 0.0;
    /// Ordinate appended to each series, in the trace's fixed append order, in volts.
    std::vector<double> y;
    /// Degrees for the rotor's `RotationAngle.Y`, set after the pause; never wrapped to a turn.
    std::optional<float> rotorAngle;
    /// Degrees to show (through FloatToStr) in the angle edit box once the rotor is set; only
    /// present on the last point of a stepper step.
    std::optional<float> angleText;

    friend bool operator==(const Step &, const Step &) = default;
};

} // namespace sim
