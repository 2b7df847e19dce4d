// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/coils.h"
#include "sim/conduction.h"
#include "sim/plan.h"

#include <QList>

#include <functional>

class QLineEdit;

namespace scene {
class CoilGlow;
class Object3D;
} // namespace scene

namespace toolkit {
class Diagram;
class LineSeries;
class LivePause;
} // namespace toolkit

/// Plays the point steps of a trace onto the window: for every step of a sim::Plan it appends
/// one point to each series, lights in the circuit's picture what conducts at that point and
/// glows the stepper's fed coils, pauses with the window live, then turns the rotor and writes
/// the angle box when the step asks for it. A trace that ends leaves nothing lit and no coil of
/// its own glowing.
///
/// The steps follow each other one pause interval apart, start to start: the trace's schedule
/// (toolkit::StepSchedule) starts before the appends and counts the work after the pause, so
/// neither stretches the pace. The pause reports each step's start and cost
/// (toolkit::LivePause::stepPaused). When a pause answers Stop the window is closing: play()
/// returns at once and touches nothing more, and the caller must do the same.
class TracePlayer
{
public:
    enum class Outcome { Finished, Stopped };

    /// @p series are the trace's series in the plan's append order. They, and @p pause, must
    /// outlive the player.
    TracePlayer(toolkit::LivePause &pause, QList<toolkit::LineSeries *> series);

    /// The stepper tabs: @p rotor is turned to each step's rotor angle and @p angleEdit shows the
    /// angle texts, the plan's initial one included.
    TracePlayer &withRotor(scene::Object3D *rotor, QLineEdit *angleEdit);

    /// What conducts in the circuit at a point step.
    using ConductionRule = std::function<sim::Conduction(const sim::Step &)>;
    /// The circuit's picture: @p diagram lights, at each step, what @p rule says conducts.
    TracePlayer &withDiagram(toolkit::Diagram *diagram, ConductionRule rule);

    /// Which of the stepper's coils a point step feeds.
    using CoilRule = std::function<sim::Coils(const sim::Step &)>;
    /// The stepper's coils: at each step, those @p rule says are fed glow, in a layer of
    /// @p glow of this trace's own.
    TracePlayer &withCoils(scene::CoilGlow *glow, CoilRule rule);

    /// Plays every step of @p plan. Throws std::invalid_argument, before anything is written,
    /// when the plan appends to another number of series than the player was given.
    Outcome play(const sim::Plan &plan) const;

private:
    toolkit::LivePause &m_pause;
    QList<toolkit::LineSeries *> m_series;
    scene::Object3D *m_rotor = nullptr;
    QLineEdit *m_angleEdit = nullptr;
    toolkit::Diagram *m_diagram = nullptr;
    ConductionRule m_conduction;
    scene::CoilGlow *m_glow = nullptr;
    CoilRule m_coils;
};
