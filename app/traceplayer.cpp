// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/traceplayer.h"

#include "app/layout/circuitpictures.h"

#include "scene/coilglow.h"
#include "scene/object3d.h"

#include "toolkit/diagram.h"
#include "toolkit/floattostr.h"
#include "toolkit/lineseries.h"
#include "toolkit/livepause.h"
#include "toolkit/stepschedule.h"

#include <QLineEdit>

#include <stdexcept>
#include <utility>

TracePlayer::TracePlayer(toolkit::LivePause &pause, QList<toolkit::LineSeries *> series)
    : m_pause(pause), m_series(std::move(series))
{ }

TracePlayer &TracePlayer::withRotor(scene::Object3D *rotor, QLineEdit *angleEdit)
{
    m_rotor = rotor;
    m_angleEdit = angleEdit;
    return *this;
}

TracePlayer &TracePlayer::withDiagram(toolkit::Diagram *diagram, ConductionRule rule)
{
    m_diagram = diagram;
    m_conduction = std::move(rule);
    return *this;
}

TracePlayer &TracePlayer::withCoils(scene::CoilGlow *glow, CoilRule rule)
{
    m_glow = glow;
    m_coils = std::move(rule);
    return *this;
}

TracePlayer::Outcome TracePlayer::play(const sim::Plan &plan) const
{
    // Checked in every build: a plan with more series than the chart would read past the
    // values of its steps.
    if (plan.seriesCount() != std::size_t(m_series.size()))
        throw std::invalid_argument("TracePlayer::play: the plan and the chart have different "
                                    "series");

    if (const std::optional<float> text = plan.initialAngleText(); text && m_angleEdit)
        m_angleEdit->setText(toolkit::FloatToStr(*text));

    const bool lighting = m_diagram && m_conduction;
    sim::Conduction lit;
    const bool glowing = m_glow && m_coils;
    const int layer = glowing ? m_glow->open() : 0;
    toolkit::StepSchedule schedule(m_pause.interval());
    for (const sim::Step &step : plan) {
        m_pause.beginStep(schedule);
        for (qsizetype i = 0; i < m_series.size(); ++i)
            m_series.at(i)->AddXY(step.x, step.y[std::size_t(i)]);
        // The picture shows the moment the chart shows: lit from the point just appended.
        if (lighting) {
            if (sim::Conduction now = m_conduction(step); now != lit) {
                lit = std::move(now);
                m_diagram->setLights(circuitpictures::lights(lit));
            }
        }
        if (glowing)
            m_glow->show(layer, m_coils(step));

        // After a stop the window and everything in it may be on their way out.
        if (m_pause.wait(schedule) == toolkit::LivePause::Result::Stop)
            return Outcome::Stopped;

        if (step.rotorAngle && m_rotor)
            m_rotor->setRotationAngleY(*step.rotorAngle);
        if (step.angleText && m_angleEdit)
            m_angleEdit->setText(toolkit::FloatToStr(*step.angleText));
    }
    if (lighting)
        m_diagram->setLights({});
    if (glowing)
        m_glow->close(layer);
    return Outcome::Finished;
}
