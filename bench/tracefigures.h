// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

/// What bench_trace measures over one trace.
struct TraceFigures
{
    double wallSeconds = 0.0;
    /// Each point step's own cost, from its start to the start of its pause, in milliseconds.
    std::vector<double> stepCostMs;
    /// Time from the start of each step to the start of the next one, in milliseconds: the
    /// pause plus whatever made it late.
    std::vector<double> stepPeriodMs;
    /// CPU time of the GUI thread between the starts of consecutive steps, in milliseconds:
    /// the appends, the repaint, the animations and the 3D scene's updates of one step.
    std::vector<double> guiThreadMs;
    double framesPerSecond = 0.0;
    /// CPU time of the whole process (GUI and render threads) over the wall time, in percent of
    /// one core.
    double processCpuPercent = 0.0;
};

/// The value below which @p fraction of @p values lie (nearest rank); 0 for no values.
double percentile(std::vector<double> values, double fraction);

/// The median of @p values over several runs.
double median(std::vector<double> values);
