// SPDX-License-Identifier: GPL-3.0-or-later
#include "sessioninvariants.h"

#include "app/tform2.h"

#include "scene/object3d.h"

#include "toolkit/diagram.h"
#include "toolkit/floatanimation.h"
#include "toolkit/floattostr.h"
#include "toolkit/lineseries.h"
#include "toolkit/trackbar.h"

#include <QPushButton>

#include <cmath>

using toolkit::LineSeries;

namespace {

// A pulse run of tabs 1 and 2 appends 132 points to each of its series.
constexpr int kPulsePoints = 132;

QString describe(const QList<QPointF> &points)
{
    QStringList shown;
    for (qsizetype i = 0; i < points.size() && i < 6; ++i)
        shown << QStringLiteral("(%1, %2)").arg(points[i].x()).arg(points[i].y());
    return QStringLiteral("%1 points [%2%3]")
        .arg(points.size())
        .arg(shown.join(QStringLiteral(", ")))
        .arg(points.size() > 6 ? QStringLiteral(", ...") : QString());
}

// The abscissae never go back within a series: a trace appends in ascending x, and a series
// that holds points of two traces shows where the second one started again from 0.
bool xNeverGoesBack(const QList<QPointF> &points)
{
    for (qsizetype i = 1; i < points.size(); ++i) {
        if (points[i].x() < points[i - 1].x())
            return false;
    }
    return true;
}

bool startsWith(const QList<QPointF> &whole, const QList<QPointF> &part)
{
    return part.size() <= whole.size() && std::equal(part.cbegin(), part.cend(), whole.cbegin());
}

bool near(float actual, float expected)
{
    return std::abs(actual - expected) < 1e-4f;
}

} // namespace

SessionInvariants::SessionInvariants(const TForm2 &form, const TraceBook &book)
    : m_form(form), m_book(book)
{ }

QStringList SessionInvariants::check() const
{
    QStringList broken;
    checkLaunchButtons(broken);
    checkSeries(broken, false, 0);
    checkDirection(broken);
    checkViews(broken);
    checkEditBoxes(broken);
    return broken;
}

QStringList SessionInvariants::checkFinished(int tab) const
{
    QStringList broken;
    checkSeries(broken, true, tab);
    return broken;
}

void SessionInvariants::checkLaunchButtons(QStringList &broken) const
{
    const QPushButton *buttons[4] = {m_form.Button1, m_form.Button2, m_form.Button7,
                                     m_form.Button5};
    const toolkit::Diagram *pictures[4] = {m_form.Image1, m_form.Image2, m_form.Image3,
                                           m_form.Image4};
    for (int t = 0; t < 4; ++t) {
        const bool running = m_book.tabs[t].onStack > 0;
        if (!running && !pictures[t]->lights().isEmpty())
            broken << QStringLiteral("tab %1: circuit lit while no trace of it runs").arg(t + 1);
        if (buttons[t]->isHidden() != running)
            broken << QStringLiteral("tab %1: launch button %2 while %3 trace is on the stack")
                          .arg(t + 1)
                          .arg(buttons[t]->isHidden() ? QStringLiteral("hidden")
                                                      : QStringLiteral("shown"))
                          .arg(running ? QString::number(m_book.tabs[t].onStack)
                                       : QStringLiteral("no"));
    }
}

void SessionInvariants::checkSeries(QStringList &broken, bool finished, int onlyTab) const
{
    const QList<const LineSeries *> series[4] = {
        {m_form.tensionmoyenne, m_form.signalrco},
        {m_form.tensionmoyenne1, m_form.signalrco1, m_form.signalrco2},
        {m_form.tr1, m_form.tr2, m_form.tr3, m_form.tr4},
        {m_form.tr11, m_form.tr12},
    };
    for (int t = 0; t < 4; ++t) {
        if (onlyTab != 0 && onlyTab != t + 1)
            continue;
        for (const LineSeries *s : series[t]) {
            if (!xNeverGoesBack(s->points()))
                broken << QStringLiteral("tab %1: x goes back in series %2: %3")
                              .arg(t + 1)
                              .arg(s->title(), describe(s->points()));
        }
        const std::optional<QList<QList<QPointF>>> &expected = m_book.tabs[t].expected;
        if (expected) {
            for (qsizetype i = 0; i < series[t].size(); ++i) {
                const QList<QPointF> points = series[t][i]->points();
                const QList<QPointF> &plan = (*expected)[i];
                const bool ok = finished ? points == plan : startsWith(plan, points);
                if (!ok)
                    broken << QStringLiteral("tab %1: series %2 holds %3, not %4 of its plan "
                                             "of %5 points")
                                  .arg(t + 1)
                                  .arg(series[t][i]->title(), describe(points),
                                       finished ? QStringLiteral("the whole")
                                                : QStringLiteral("a beginning"))
                                  .arg(plan.size());
            }
        }
    }
    if (onlyTab != 0 && onlyTab != 2)
        return;
    // Tab 2: each run clears the three series and fills the average level and the pulses of
    // its own direction, in step.
    const int positive = m_form.signalrco1->count();
    const int negative = m_form.signalrco2->count();
    const int average = m_form.tensionmoyenne1->count();
    if (positive > 0 && negative > 0)
        broken << QStringLiteral("tab 2: both directions hold pulses (%1 and %2 points)")
                      .arg(positive)
                      .arg(negative);
    const int pulses = std::max(positive, negative);
    if (average != pulses || pulses > kPulsePoints || (finished && pulses != kPulsePoints))
        broken << QStringLiteral("tab 2: %1 average points and %2 pulse points%3")
                      .arg(average)
                      .arg(pulses)
                      .arg(finished ? QStringLiteral(" after a finished run") : QString());
}

void SessionInvariants::checkDirection(QStringList &broken) const
{
    // Which direction a launch then takes (or whether it refuses) is checked by its series.
    static const QStringList texts = {QStringLiteral("Sélectionner sens"),
                                      QStringLiteral("Sens positif"),
                                      QStringLiteral("Sens négatif")};
    if (!texts.contains(m_form.Edit3->text()))
        broken << QStringLiteral("Edit3 shows \"%1\"").arg(m_form.Edit3->text());
}

void SessionInvariants::checkViews(QStringList &broken) const
{
    const toolkit::FloatAnimation *slides[4] = {
        m_form.animationmoteurcc, m_form.animationmoteurccbis, m_form.animationmoteurpasapas,
        m_form.animationmoteurpasapasbis};
    for (const toolkit::FloatAnimation *slide : slides) {
        if (slide->isRunning())
            return;
    }
    // At rest, the last tab clicked decides: the DC motor in view (as at start-up) for tabs 1
    // and 2, the stepper for tabs 3 and 4.
    const bool stepperView = m_form.TabControl1->currentIndex() >= 2;
    const float dc = stepperView ? -20.0f : 0.0f;
    const float stepper = stepperView ? 0.0f : 20.0f;
    if (!near(m_form.moteurcc->positionX(), dc)
        || !near(m_form.moteurpasapas->positionX(), stepper))
        broken << QStringLiteral("tab %1 at rest: moteurcc at %2, moteurpasapas at %3")
                      .arg(m_form.TabControl1->currentIndex() + 1)
                      .arg(m_form.moteurcc->positionX())
                      .arg(m_form.moteurpasapas->positionX());
}

void SessionInvariants::checkEditBoxes(QStringList &broken) const
{
    const toolkit::TrackBar *bars[4] = {m_form.valeurmoteur, m_form.valeurmoteur1,
                                        m_form.valeurmoteur3, m_form.valeurmoteur4};
    const QLineEdit *edits[4] = {m_form.Edit1, m_form.Edit2, m_form.Edit4, m_form.Edit5};
    for (int t = 0; t < 4; ++t) {
        if (!m_moved[t])
            continue;
        const QString shown = toolkit::FloatToStr(bars[t]->value());
        if (edits[t]->text() != shown)
            broken << QStringLiteral("tab %1: track bar at %2 but its box shows \"%3\"")
                          .arg(t + 1)
                          .arg(shown, edits[t]->text());
    }
}
