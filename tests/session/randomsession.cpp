// SPDX-License-Identifier: GPL-3.0-or-later
#include "randomsession.h"

#include "tracewatch.h"

#include "scene/object3d.h"

#include "sim/bipolartrace.h"
#include "sim/dcmotor.h"
#include "sim/pwmtrace.h"
#include "sim/stepper.h"
#include "sim/unipolartrace.h"

#include "toolkit/diagram.h"
#include "toolkit/floatanimation.h"
#include "toolkit/floattostr.h"
#include "toolkit/lineseries.h"
#include "toolkit/tabcontrol.h"

#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTest>

using namespace Qt::StringLiterals;
using toolkit::LineSeries;

namespace {

// A stepper track bar above this makes traces of thousands of points; random values stay below
// it so that a few thousand events take seconds. The keyboard still reaches 99 and 100.
constexpr double kStepperCeiling = 98.0;

bool xNeverGoesBack(const QList<QPointF> &points)
{
    return std::is_sorted(points.cbegin(), points.cend(),
                          [](QPointF a, QPointF b) { return a.x() < b.x(); });
}

} // namespace

RandomSession::RandomSession(TForm2 &form, quint32 seed, int events)
    : m_form(form), m_seed(seed), m_events(events), m_random(seed)
{
    m_driver.setSingleShot(true);
    m_driver.setTimerType(Qt::PreciseTimer);
    connect(&m_driver, &QTimer::timeout, this, &RandomSession::tick);
    const toolkit::TrackBar *bars[4] = {form.valeurmoteur, form.valeurmoteur1, form.valeurmoteur3,
                                        form.valeurmoteur4};
    for (int t = 0; t < 4; ++t)
        connect(bars[t], &toolkit::TrackBar::changed, this, [this, t] { m_moved[t] = true; });
}

QStringList RandomSession::run()
{
    verify(broken());
    m_driver.start(1);
    // The driver itself closes the window at the end, from inside whatever pauses are running.
    if (!QTest::qWaitFor([this] { return m_closing && m_running == 0; }, 600'000))
        m_broken << u"the session did not end: %1 events fired"_s.arg(m_fired);
    return m_broken;
}

void RandomSession::tick()
{
    m_deepest = std::max(m_deepest, m_onStack[0] + m_onStack[1] + m_onStack[2] + m_onStack[3]);
    verify(broken());
    // A modal box blocks the window, so a user can only answer it, after a while.
    if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
        if (randomInt(0, 2) == 0)
            box->button(QMessageBox::Ok)->click();
    } else if (m_fired >= m_events || !m_broken.isEmpty()) {
        m_closing = true; // with whatever traces on the stack: every pause must return at once
        m_form.close();
        return;
    } else {
        fireOne();
    }
    m_driver.start(randomInt(1, 2));
}

void RandomSession::fireOne()
{
    TForm2 &f = m_form;
    QList<std::pair<QString, std::function<void()>>> possible;
    for (int index = 0; index < 4; ++index) {
        possible.append({u"tab header %1"_s.arg(index + 1), [this, index] {
                             QTabBar *bar = m_form.TabControl1->tabBar();
                             QTest::mouseClick(bar, Qt::LeftButton, {},
                                               bar->tabRect(index).center());
                         }});
    }
    QPushButton *launchButtons[4] = {f.Button1, f.Button2, f.Button7, f.Button5};
    for (int t = 1; t <= 4; ++t) {
        // Launches three times as likely as the other events, so that traces keep running.
        for (int i = 0; i < 3 && launchButtons[t - 1]->isVisible(); ++i)
            possible.append({launchButtons[t - 1]->objectName(), [this, t] { launch(t); }});
        possible.append({u"track bar %1 set"_s.arg(t), [this, t] { moveTrackBar(t); }});
        possible.append(
            {u"track bar %1 key"_s.arg(t), [this, t] {
                 static constexpr Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right,  Qt::Key_Up,
                                                    Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown,
                                                    Qt::Key_Home, Qt::Key_End};
                 const toolkit::TrackBar *bars[4] = {m_form.valeurmoteur, m_form.valeurmoteur1,
                                                     m_form.valeurmoteur3, m_form.valeurmoteur4};
                 if (bars[t - 1]->isVisible())
                     QTest::keyClick(bars[t - 1]->findChild<QSlider *>(), keys[randomInt(0, 7)]);
             }});
    }
    for (QAbstractButton *button : std::initializer_list<QAbstractButton *> {
             f.Button3, f.Button4, f.Button6, f.Button8, f.Button9, f.Button10, f.SpeedButton1,
             f.SpeedButton2, f.SpeedButton3, f.SpeedButton4}) {
        if (button->isVisible())
            possible.append(
                {button->objectName(), [button] { QTest::mouseClick(button, Qt::LeftButton); }});
    }

    const auto [name, action] = possible[randomInt(0, int(possible.size()) - 1)];
    m_recent << u"#%1 %2 (pause depth %3)"_s.arg(++m_fired).arg(name).arg(m_form.pause().depth());
    if (m_recent.size() > 40)
        m_recent.removeFirst();
    // From a timer of its own, as the window's event handling would run it, so the driver's next
    // tick can come from inside the pauses of a trace it starts.
    QTimer::singleShot(0, this, [this, action] {
        ++m_running;
        action();
        --m_running;
        if (!m_closing)
            verify(broken());
    });
}

void RandomSession::launch(int tab)
{
    TForm2 &f = m_form;
    QPushButton *buttons[4] = {f.Button1, f.Button2, f.Button7, f.Button5};
    if (!buttons[tab - 1]->isVisible())
        return;
    // What the handler will do, from what the window shows: the track bar's value (a stepper
    // tab whose bar never moved has no slowness yet) and the direction in its box.
    const auto slowness = [this](int t, double value) {
        return m_moved[t - 1] ? sim::stepper::slowness(sim::stepper::speed(value)) : 0.0f;
    };
    std::optional<sim::Plan> plan;
    if (tab == 1)
        plan = sim::pwm::plan(sim::dc::truncatedPercent(f.valeurmoteur->value()));
    else if (tab == 3)
        plan = sim::unipolar::plan(slowness(3, f.valeurmoteur3->value()));
    else if (tab == 4)
        plan = sim::bipolar::plan(slowness(4, f.valeurmoteur4->value()));
    const bool plays = tab == 2 ? f.Edit3->text() != u"Sélectionner sens"_s : plan.has_value();
    if (plays) {
        ++m_onStack[tab - 1];
        m_expected[tab - 1] = plan ? std::optional(pointsOf(*plan)) : std::nullopt;
    }
    QTest::mouseClick(buttons[tab - 1], Qt::LeftButton);
    if (!plays)
        return;
    --m_onStack[tab - 1];
    if (!m_closing) {
        ++m_finished;
        verify(broken(tab));
    }
}

void RandomSession::moveTrackBar(int tab)
{
    toolkit::TrackBar *bars[4] = {m_form.valeurmoteur, m_form.valeurmoteur1, m_form.valeurmoteur3,
                                  m_form.valeurmoteur4};
    const double ceiling = tab >= 3 ? kStepperCeiling : 100.0;
    const int kind = randomInt(0, 9);
    // 0, 100 (no stepper trace at all), whole, quarter (37.5, 12.25 ...) and any values.
    const double value = kind == 0 ? 0.0
        : kind == 1                ? 100.0
        : kind <= 4                ? randomInt(0, int(ceiling))
        : kind <= 6                ? randomInt(0, int(ceiling) * 4) / 4.0
                                   : std::uniform_real_distribution<double>(0.0, ceiling)(m_random);
    bars[tab - 1]->setValue(value);
}

int RandomSession::randomInt(int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(m_random);
}

// After any event; after the launch of @p finishedTab returned with its trace played to the end,
// its series must also hold the whole plan.
QStringList RandomSession::broken(int finishedTab) const
{
    const TForm2 &f = m_form;
    QStringList out;
    const QPushButton *buttons[4] = {f.Button1, f.Button2, f.Button7, f.Button5};
    const toolkit::Diagram *pictures[4] = {f.Image1, f.Image2, f.Image3, f.Image4};
    const QList<const LineSeries *> series[4] = {{f.tensionmoyenne, f.signalrco},
                                                 {f.tensionmoyenne1, f.signalrco1, f.signalrco2},
                                                 {f.tr1, f.tr2, f.tr3, f.tr4},
                                                 {f.tr11, f.tr12}};
    const toolkit::TrackBar *bars[4] = {f.valeurmoteur, f.valeurmoteur1, f.valeurmoteur3,
                                        f.valeurmoteur4};
    const QLineEdit *boxes[4] = {f.Edit1, f.Edit2, f.Edit4, f.Edit5};
    for (int t = 0; t < 4; ++t) {
        const QString tab = u"tab %1: "_s.arg(t + 1);
        const bool running = m_onStack[t] > 0;
        if (buttons[t]->isHidden() != running)
            out << tab
                    + u"launch button hidden %1, trace running %2"_s.arg(buttons[t]->isHidden())
                          .arg(running);
        if (!running && !pictures[t]->lights().isEmpty())
            out << tab + u"circuit lit while no trace of it runs"_s;
        // A trace appends in ascending x; a series of two traces shows where the second began.
        for (qsizetype i = 0; i < series[t].size(); ++i) {
            const QList<QPointF> points = series[t][i]->points();
            if (!xNeverGoesBack(points))
                out << tab + u"x goes back in "_s + series[t][i]->objectName();
            if (!m_expected[t] || (finishedTab && finishedTab != t + 1))
                continue;
            const QList<QPointF> &plan = (*m_expected[t])[i];
            if (finishedTab ? points != plan : plan.mid(0, points.size()) != points)
                out << tab
                        + u"%1 holds %2 points, not %3 of its plan of %4"_s
                              .arg(series[t][i]->objectName())
                              .arg(points.size())
                              .arg(finishedTab ? u"all"_s : u"a beginning"_s)
                              .arg(plan.size());
        }
        if (m_moved[t] && boxes[t]->text() != toolkit::FloatToStr(bars[t]->value()))
            out << tab
                    + u"track bar at %1, its box shows \"%2\""_s.arg(bars[t]->value())
                          .arg(boxes[t]->text());
    }
    // Tab 2: each run clears the three series and fills the average and the pulses of its own
    // direction, in step.
    const int positive = f.signalrco1->count();
    const int negative = f.signalrco2->count();
    const int pulses = std::max(positive, negative);
    if ((positive > 0 && negative > 0) || f.tensionmoyenne1->count() != pulses || pulses > 132
        || (finishedTab == 2 && pulses != 132))
        out << u"tab 2: %1 average, %2 positive and %3 negative points"_s
                   .arg(f.tensionmoyenne1->count())
                   .arg(positive)
                   .arg(negative);
    if (!QStringList {u"Sélectionner sens"_s, u"Sens positif"_s, u"Sens négatif"_s}.contains(
            f.Edit3->text()))
        out << u"Edit3 shows \"%1\""_s.arg(f.Edit3->text());
    // At rest, the last tab clicked decides: the DC motor in view (as at start-up) for tabs 1
    // and 2, the stepper for tabs 3 and 4.
    const bool sliding = f.animationmoteurcc->isRunning() || f.animationmoteurccbis->isRunning()
        || f.animationmoteurpasapas->isRunning() || f.animationmoteurpasapasbis->isRunning();
    const bool stepperView = f.TabControl1->currentIndex() >= 2;
    if (!sliding
        && (std::abs(f.moteurcc->positionX() - (stepperView ? -20.0f : 0.0f)) > 1e-4f
            || std::abs(f.moteurpasapas->positionX() - (stepperView ? 0.0f : 20.0f)) > 1e-4f))
        out << u"tab %1 at rest: the motors at %2 and %3"_s.arg(f.TabControl1->currentIndex() + 1)
                   .arg(f.moteurcc->positionX())
                   .arg(f.moteurpasapas->positionX());
    return out;
}

void RandomSession::verify(const QStringList &broken)
{
    if (broken.isEmpty() || !m_broken.isEmpty())
        return;
    m_broken = broken;
    m_broken << u"seed %1, after event %2 of %3, the last events:"_s.arg(m_seed).arg(m_fired).arg(
        m_events)
             << m_recent;
}
