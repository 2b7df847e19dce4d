// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/step.h"

#include <array>
#include <cstddef>
#include <iterator>
#include <optional>
#include <vector>

namespace sim {

/// Everything one trace does, point step by point step.
///
/// A plan is pure data: iterating it yields its Step values in the order a player runs them
/// (`for (const sim::Step &step : plan)`). All four traces share one loop shape: x starts at 0
/// and a cycle base at its first value; each cycle runs a fixed list of stretches, a stretch
/// appending one point per sample while x < (cycle base + 1) + the stretch's offset, and
/// stepping x back by one when it ends so that the next stretch starts on the same abscissa
/// (the vertical edges of the square waves). After the last stretch the base grows by a fixed
/// advance, and another cycle begins only while x is below cycleLimit.
///
/// The steps are computed on demand rather than stored: the shortest stepper steps a
/// single-precision percentage allows make runs of about 10^8 points, which a list could not
/// hold. The factories only build plans that are known to end, with at least one point in
/// every stretch and x never decreasing from one step to the next.
class Plan
{
public:
    class Iterator;

    /// A cycle begins only while x is below this sample index.
    static constexpr int cycleLimit = 101;
    /// Shortest stepper step accepted, in x units: well below the shortest step a track-bar
    /// position gives (7.6e-7), and long enough for the cycle base, which stays under about
    /// 150, to keep growing in double precision, so the run always ends.
    static constexpr double shortestStep = 1e-7;
    /// Longest stepper step accepted, in x units: the step of a percentage of 0.
    static constexpr double longestStep = 10.0;

    /// The pulse train of tabs 1 and 2, with two series in append order: the flat average
    /// level (volts) and the transistor command (12.0 while high, 0.0 while low).
    ///
    /// Periods of 20 x units start at 0, 20, ... 100: each has the high part x = s .. s + H
    /// and the low part x = s + H .. s + 20, 22 points, 132 in all, the last at x = 120.
    /// @p highWidth H must be a whole number from 0 to 20; anything else throws
    /// std::invalid_argument.
    static Plan pulseTrain(double averageLevel, double highWidth);

    /// The stepper trace of tabs 3 and 4: cycles of four steps, step k (0 to 3) running while
    /// x < (cycle base + 1) + k × @p stepLength with the levels @p levels[k] (volts, one per
    /// series in append order), the cycle base starting at @p stepLength and growing by
    /// 4 × @p stepLength after step 3. The rotor angle starts at 0 (also written into the
    /// angle edit box before the first point), is set after every point and falls by 90 at
    /// the end of each step, when it is also written into the edit box.
    ///
    /// @p stepLength must lie in [shortestStep, longestStep] and every row of @p levels must
    /// have the same non-zero size; anything else throws std::invalid_argument.
    static Plan stepper(double stepLength, const std::array<std::vector<double>, 4> &levels);

    /// Number of series each step appends to, in append order.
    std::size_t seriesCount() const { return m_cycle.front().y.size(); }

    /// Degrees written (through FloatToStr) into the angle edit box before the first point:
    /// 0 on the stepper tabs, nothing on the others.
    std::optional<float> initialAngleText() const;

    /// The first step. The iterator keeps its own copy of the plan, so it may outlive it.
    Iterator begin() const;
    std::default_sentinel_t end() const { return {}; }

private:
    /// One stretch of a cycle, during which every series keeps one level.
    struct Stretch
    {
        double boundOffset = 0.0;
        std::vector<double> y;
    };

    Plan() = default;
    Plan(std::vector<Stretch> cycle, double firstBase, double baseAdvance, bool turnsRotor);

    std::vector<Stretch> m_cycle {Stretch {}};
    double m_firstBase = 0.0;
    double m_baseAdvance = 0.0;
    bool m_turnsRotor = false;
};

/// Input iterator over the steps of a plan; equal to Plan::end() once the trace is over.
class Plan::Iterator
{
public:
    using value_type = Step;
    using difference_type = std::ptrdiff_t;

    Iterator() = default;

    const Step &operator*() const { return m_step; }
    const Step *operator->() const { return &m_step; }
    Iterator &operator++();
    void operator++(int) { ++*this; }

    friend bool operator==(const Iterator &it, std::default_sentinel_t) { return it.m_atEnd; }

private:
    friend class Plan;
    explicit Iterator(const Plan &plan);

    double bound() const;
    void takeStep();
    void endStretch();

    Plan m_plan;
    Step m_step;
    int m_x = 0;
    double m_base = 0.0;
    std::size_t m_stretch = 0;
    float m_angle = 0.0f;
    bool m_lastStep = true;
    bool m_atEnd = true;
};

} // namespace sim
