// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/plan.h"

#include <cmath>
#include <stdexcept>
#include <utility>

namespace sim {

namespace {

constexpr double periodWidth = 20.0;
constexpr double commandHigh = 12.0;
constexpr double commandLow = 0.0;
constexpr float quarterTurn = 90.0f;

} // namespace

Plan::Plan(std::vector<Stretch> cycle, double firstBase, double baseAdvance, bool turnsRotor)
    : m_cycle(std::move(cycle))
    , m_firstBase(firstBase)
    , m_baseAdvance(baseAdvance)
    , m_turnsRotor(turnsRotor)
{ }

Plan Plan::pulseTrain(double averageLevel, double highWidth)
{
    // The low part must start no later than the period's end, and a whole width keeps the
    // edges on sample indices; NaN fails the range test.
    if (!(highWidth >= 0.0 && highWidth <= periodWidth) || std::trunc(highWidth) != highWidth)
        throw std::invalid_argument("pulse train: high width must be a whole number in 0..20");

    return Plan({Stretch {highWidth, {averageLevel, commandHigh}},
                 Stretch {periodWidth, {averageLevel, commandLow}}},
                0.0, periodWidth, false);
}

Plan Plan::stepper(double stepLength, const std::array<std::vector<double>, 4> &levels)
{
    // Below shortestStep the cycle base could stop growing in double precision and the run
    // would never reach cycleLimit; NaN and infinities fail the range test.
    if (!(stepLength >= shortestStep && stepLength <= longestStep))
        throw std::invalid_argument("stepper: step length out of range");
    for (const std::vector<double> &row : levels) {
        if (row.empty() || row.size() != levels.front().size())
            throw std::invalid_argument("stepper: every step needs one level per series");
    }

    std::vector<Stretch> cycle;
    cycle.reserve(levels.size());
    for (std::size_t k = 0; k < levels.size(); ++k)
        cycle.push_back(Stretch {static_cast<double>(k) * stepLength, levels[k]});
    return Plan(std::move(cycle), stepLength, 4.0 * stepLength, true);
}

std::optional<float> Plan::initialAngleText() const
{
    if (m_turnsRotor)
        return 0.0f;
    return std::nullopt;
}

Plan::Iterator Plan::begin() const
{
    return Iterator(*this);
}

Plan::Iterator::Iterator(const Plan &plan)
    : m_plan(plan), m_base(plan.m_firstBase), m_lastStep(false), m_atEnd(false)
{
    // x starts at 0, below cycleLimit: the first cycle always begins.
    takeStep();
}

Plan::Iterator &Plan::Iterator::operator++()
{
    if (m_lastStep)
        m_atEnd = true;
    else
        takeStep();
    return *this;
}

double Plan::Iterator::bound() const
{
    // Summed left to right on purpose: with fractional step lengths another grouping rounds
    // differently and can move a step end by one sample (the last step at 74.5 %).
    return (m_base + 1.0) + m_plan.m_cycle[m_stretch].boundOffset;
}

void Plan::Iterator::takeStep()
{
    const Stretch &stretch = m_plan.m_cycle[m_stretch];
    m_step.x = static_cast<double>(m_x);
    m_step.y = stretch.y;
    m_step.rotorAngle.reset();
    m_step.angleText.reset();

    ++m_x;
    if (m_plan.m_turnsRotor)
        m_step.rotorAngle = m_angle;

    // The factories guarantee a point in every stretch, so this normally ends one stretch at
    // most; a stretch without points would still be closed exactly as the loop closes it.
    while (!m_lastStep && !(m_x < bound()))
        endStretch();
}

void Plan::Iterator::endStretch()
{
    const bool cycleDone = m_stretch + 1 == m_plan.m_cycle.size();
    if (cycleDone)
        m_base = m_base + m_plan.m_baseAdvance;

    --m_x;
    if (m_plan.m_turnsRotor) {
        m_angle -= quarterTurn;
        m_step.angleText = m_angle;
    }

    m_stretch = cycleDone ? 0 : m_stretch + 1;
    // The limit is checked between cycles only: a cycle once begun runs all its stretches.
    if (cycleDone && !(m_x < cycleLimit))
        m_lastStep = true;
}

} // namespace sim
