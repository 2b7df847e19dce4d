// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace scene {

/// How a turn is drawn, frame by frame, so that the eye reads its speed and direction.
///
/// A picture that repeats every repeatDegrees (the shaft's disc, with its four openings: 90°)
/// can only show a turn of less than half that per frame; a larger step looks like a slower
/// turn, a still one or a backward one (the wagon-wheel effect). So the picture turns as the
/// part truly does up to maxStepDegrees per frame, a quarter of the repeat, where the eye
/// follows without doubt. A faster part turns at that step, the true way, and its openings are
/// smeared more and more as its true rate grows, up to a whole repeat for the fastest rate:
/// what the eye sees speeds up, never slows down, and never turns backwards.
struct DrawnSpin
{
    static constexpr double repeatDegrees = 90.0;
    static constexpr double maxStepDegrees = repeatDegrees / 4;
    /// Seconds per turn taken for a looping turn whose period is 0 (the 100 % case): half the
    /// shortest period of a whole percentage (0.01 s at 99 %), so it is the fastest of all.
    static constexpr double zeroPeriodSeconds = 0.005;
    /// The fastest true rate, in degrees per second: a whole turn in zeroPeriodSeconds.
    static constexpr double fastestRate = 360.0 / zeroPeriodSeconds;

    /// Drawn turn from one frame to the next, in degrees, signed like the true turn.
    double stepDegrees = 0.0;
    /// 0: the openings are sharp; 1: each is smeared over a whole repeat.
    double smear = 0.0;

    /// The drawing of a true rate (degrees per second, signed) at a frame rate (frames per
    /// second; anything not positive counts as 60).
    static DrawnSpin of(double degreesPerSecond, double framesPerSecond);

    /// The true rate of a looping turn from @p start to @p stop degrees in @p seconds per pass,
    /// in degrees per second; a period that is not positive counts as zeroPeriodSeconds.
    static double loopRate(float start, float stop, float seconds);
};

} // namespace scene
