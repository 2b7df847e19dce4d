// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/drawnspin.h"

#include <algorithm>
#include <cmath>

namespace scene {

DrawnSpin DrawnSpin::of(double degreesPerSecond, double framesPerSecond)
{
    if (!(framesPerSecond > 0.0) || !std::isfinite(framesPerSecond))
        framesPerSecond = 60.0;
    DrawnSpin drawn;
    if (!std::isfinite(degreesPerSecond)) {
        if (std::isnan(degreesPerSecond))
            return drawn;
        degreesPerSecond = std::copysign(fastestRate, degreesPerSecond);
    }
    const double step = degreesPerSecond / framesPerSecond;
    if (std::abs(step) <= maxStepDegrees) {
        drawn.stepDegrees = step;
        return drawn;
    }
    drawn.stepDegrees = std::copysign(maxStepDegrees, step);
    // Measured on a log scale from the fastest drawn rate to the fastest true rate, so that
    // every step of the percentage shows, from just above the cap up to the zero period.
    const double followable = maxStepDegrees * framesPerSecond;
    const double span = std::log(fastestRate / followable);
    const double beyond = std::log(std::abs(degreesPerSecond) / followable);
    drawn.smear = span > 0.0 ? std::clamp(beyond / span, 0.0, 1.0) : 1.0;
    return drawn;
}

double DrawnSpin::loopRate(float start, float stop, float seconds)
{
    const double sweep = double(stop) - double(start);
    const double period = seconds > 0.0f ? double(seconds) : zeroPeriodSeconds;
    return sweep / period;
}

} // namespace scene
