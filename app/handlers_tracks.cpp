// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tform2.h"

#include "app/traceplayer.h"

#include "scene/coilglow.h"
#include "scene/object3d.h"

#include "sim/bipolartrace.h"
#include "sim/coils.h"
#include "sim/conduction.h"
#include "sim/dcmotor.h"
#include "sim/hbridgetrace.h"
#include "sim/pwmtrace.h"
#include "sim/stepper.h"
#include "sim/unipolartrace.h"

#include "toolkit/floatanimation.h"
#include "toolkit/floattostr.h"
#include "toolkit/lineseries.h"
#include "toolkit/messagebox.h"
#include "toolkit/trackbar.h"

#include <optional>

// The four traces and their track bars. A trace hides its launch button, clears its series and
// plays its plan point by point; the pauses keep the window live, so any other handler (even
// another tab's trace) may run in the middle of a trace and change the members below. A trace
// therefore takes what it needs from them once, before its first point. When a pause reports
// that the window is closing, the trace returns at once without touching anything. A launch
// that starts a trace while the teacher holds the lesson lets the lesson run again; one that
// starts none leaves it held.

namespace {

using Outcome = TracePlayer::Outcome;

} // namespace

// Tab 1: DC motor speed by PWM.

void TForm2::valeurmoteurChange(QObject *)
{
    animationaxe->setEnabled(false);
    Edit1->setText(toolkit::FloatToStr(valeurmoteur->value()));
    vitessemoteur = sim::dc::truncatedPercent(valeurmoteur->value());
}

void TForm2::Button1Click(QObject *)
{
    m_lesson.setPaused(false);
    Button1->setVisible(false);
    tensionmoyenne->Clear();
    signalrco->Clear();
    const sim::Plan plan = sim::pwm::plan(vitessemoteur);
    if (vitessemoteur != 0) {
        // The exact track-bar value, not the truncated percentage, sets the pace of the shaft.
        animationaxe->setDuration(sim::dc::shaftDuration(valeurmoteur->value()));
        animationaxe->setEnabled(true);
    }
    const auto conduction = [highWidth = sim::dc::highWidth(vitessemoteur)](const sim::Step &step) {
        return sim::pwm::conduction(step, highWidth);
    };
    const TracePlayer player =
        TracePlayer(m_pause, {tensionmoyenne, signalrco}).withDiagram(Image1, conduction);
    if (player.play(plan) == Outcome::Stopped)
        return;
    Button1->setVisible(true);
}

// Tab 2: DC motor direction by H-bridge.

void TForm2::Button3Click(QObject *)
{
    Edit3->setText(tr("Sens positif"));
    sens = 1;
}

void TForm2::Button4Click(QObject *)
{
    Edit3->setText(tr("Sens négatif"));
    sens = 2;
}

void TForm2::valeurmoteur1Change(QObject *)
{
    animationaxe->setEnabled(false);
    animationaxenegative->setEnabled(false);
    Edit2->setText(toolkit::FloatToStr(valeurmoteur1->value()));
    vitessemoteur1 = sim::dc::truncatedPercent(valeurmoteur1->value());
}

void TForm2::Button2Click(QObject *)
{
    // One direction run: its animation turns the shaft its way, its series gets the pulses.
    const auto directionRun = [this](toolkit::FloatAnimation *shaft, double supply,
                                     toolkit::LineSeries *pulses) {
        if (vitessemoteur1 != 0) {
            shaft->setDuration(sim::dc::shaftDuration(valeurmoteur1->value()));
            shaft->setEnabled(true);
        }
        tension = supply;
        Button2->setVisible(false);
        tensionmoyenne1->Clear();
        signalrco1->Clear();
        signalrco2->Clear();
        const sim::Plan plan = sim::hbridge::runPlan(vitessemoteur1, tension);
        const auto conduction =
            [supply, highWidth = sim::dc::highWidth(vitessemoteur1)](const sim::Step &step) {
                return sim::hbridge::conduction(step, supply, highWidth);
            };
        return TracePlayer(m_pause, {tensionmoyenne1, pulses})
            .withDiagram(Image2, conduction)
            .play(plan);
    };

    animationaxenegative->setEnabled(false);
    animationaxe->setEnabled(false);
    if (sens == 0) {
        toolkit::ShowMessage(tr("Vous n'avez pas sélectionné le sens"));
        return;
    }
    m_lesson.setPaused(false);
    // Two separate tests: a switch to the negative direction during the positive run makes a
    // negative run follow it at once.
    if (sens == 1
        && directionRun(animationaxe, sim::hbridge::positiveSupply, signalrco1) == Outcome::Stopped)
        return;
    if (sens == 2
        && directionRun(animationaxenegative, sim::hbridge::negativeSupply, signalrco2)
            == Outcome::Stopped)
        return;
    Button2->setVisible(true);
}

// Tab 3: unipolar stepper.

void TForm2::valeurmoteur3Change(QObject *)
{
    Edit4->setText(toolkit::FloatToStr(valeurmoteur3->value()));
    vitessemoteur3 = sim::stepper::speed(valeurmoteur3->value());
    lenteurmoteur3 = sim::stepper::slowness(vitessemoteur3);
}

void TForm2::Button7Click(QObject *)
{
    // No plan at 100 % or before the track bar first moved: steps of length 0 would never end.
    const std::optional<sim::Plan> plan = sim::unipolar::plan(lenteurmoteur3);
    if (!plan)
        return;
    m_lesson.setPaused(false);
    tension = sim::stepper::supplyLevel;
    Button7->setVisible(false);
    tr1->Clear();
    tr2->Clear();
    tr3->Clear();
    tr4->Clear();
    const TracePlayer player = TracePlayer(m_pause, {tr1, tr2, tr3, tr4})
                                   .withRotor(rotor1, Edit6)
                                   .withDiagram(Image3, sim::unipolar::conduction)
                                   .withCoils(coilGlow, sim::unipolar::drivenCoils);
    if (player.play(*plan) == Outcome::Stopped)
        return;
    Button7->setVisible(true);
}

// Tab 4: bipolar stepper.

void TForm2::valeurmoteur4Change(QObject *)
{
    Edit5->setText(toolkit::FloatToStr(valeurmoteur4->value()));
    vitessemoteur4 = sim::stepper::speed(valeurmoteur4->value());
    lenteurmoteur4 = sim::stepper::slowness(vitessemoteur4);
}

void TForm2::Button5Click(QObject *)
{
    const std::optional<sim::Plan> plan = sim::bipolar::plan(lenteurmoteur4);
    if (!plan)
        return;
    m_lesson.setPaused(false);
    tension = sim::stepper::supplyLevel;
    Button5->setVisible(false);
    tr11->Clear();
    tr12->Clear();
    const TracePlayer player = TracePlayer(m_pause, {tr11, tr12})
                                   .withRotor(rotor1, Edit7)
                                   .withDiagram(Image4, sim::bipolar::conduction)
                                   .withCoils(coilGlow, sim::bipolar::drivenCoils);
    if (player.play(*plan) == Outcome::Stopped)
        return;
    Button5->setVisible(true);
}
