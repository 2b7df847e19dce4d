// SPDX-License-Identifier: GPL-3.0-or-later
#include "randomsession.h"

#include "scene/object3d.h"

#include "sim/dcmotor.h"

#include "toolkit/floatanimation.h"
#include "toolkit/floattostr.h"
#include "toolkit/tabcontrol.h"

#include <QSlider>
#include <QTabBar>
#include <QTest>

using namespace Qt::StringLiterals;

RandomSession::RandomSession(TForm2 &form, quint32 seed, int events)
    : m_form(form), m_seed(seed), m_events(events), m_random(seed)
{
    m_driver.setSingleShot(true);
    m_driver.setTimerType(Qt::PreciseTimer);
    connect(&m_driver, &QTimer::timeout, this, &RandomSession::tick);
    for (int t = 0; t < 4; ++t) {
        m_tabs << TraceTab(form, t + 1);
        connect(m_tabs[t].bar, &toolkit::TrackBar::changed, this, [this, t] { m_moved[t] = true; });
    }
    // Tab 2's series in both directions.
    m_tabs[1].series << form.signalrco2;
}

QStringList RandomSession::run()
{
    verify(broken());
    m_driver.start(1);
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
        m_closing = true; // every pause on the stack must return at once
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
    for (int t = 0; t < 4; ++t) {
        const TraceTab &tab = m_tabs[t];
        possible.append({u"tab header %1"_s.arg(t + 1), [this, t] {
                             QTabBar *bar = m_form.TabControl1->tabBar();
                             QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(t).center());
                         }});
        // Launches three times as likely as the other events, so that traces keep running.
        for (int i = 0; i < 3 && tab.button->isVisible(); ++i)
            possible.append({tab.button->objectName(), [this, t] { launch(t); }});
        // 0, 100 (no stepper trace at all), whole, quarter (37.5, 12.25 ...) and any values;
        // a stepper bar stays below 98, above which traces of thousands of points would make a
        // session last minutes (the keyboard still reaches 99 and 100).
        possible.append({u"track bar %1 set"_s.arg(t + 1), [this, bar = tab.bar, t] {
                             const int top = t >= 2 ? 98 : 100;
                             const int kind = randomInt(0, 9);
                             bar->setValue(kind == 0       ? 0.0
                                               : kind == 1 ? 100.0
                                               : kind <= 4 ? randomInt(0, top)
                                               : kind <= 6 ? randomInt(0, top * 4) / 4.0
                                                           : std::uniform_real_distribution<double>(
                                                               0.0, top)(m_random));
                         }});
        possible.append(
            {u"track bar %1 key"_s.arg(t + 1), [this, bar = tab.bar] {
                 static constexpr Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right,  Qt::Key_Up,
                                                    Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown,
                                                    Qt::Key_Home, Qt::Key_End};
                 if (bar->isVisible())
                     QTest::keyClick(bar->findChild<QSlider *>(), keys[randomInt(0, 7)]);
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
    m_recent << u"#%1 %2 (pause depth %3)"_s.arg(++m_fired).arg(name).arg(f.pause().depth());
    if (m_recent.size() > 40)
        m_recent.removeFirst();
    // From a timer of its own, as the window's events would run it, so the driver's next tick
    // can come from inside the pauses of a trace it starts.
    QTimer::singleShot(0, this, [this, action] {
        ++m_running;
        action();
        --m_running;
        if (!m_closing)
            verify(broken());
    });
}

void RandomSession::launch(int t)
{
    const TForm2 &f = m_form;
    if (!m_tabs[t].button->isVisible())
        return;
    // What the handler will do, from what the window shows: the track bar's value (a stepper
    // tab whose bar never moved has no slowness yet, and no trace) and tab 2's direction.
    const double value = m_tabs[t].bar->value();
    std::optional<QList<QList<QPointF>>> plan;
    if (t == 0)
        plan = planned(1, sim::dc::truncatedPercent(value));
    else if (t >= 2 && m_moved[t]
             && sim::stepper::stepLength(sim::stepper::slowness(sim::stepper::speed(value))))
        plan = planned(t + 1, value);
    const bool plays = t == 1 ? f.Edit3->text() != u"Sélectionner sens"_s : plan.has_value();
    if (plays) {
        ++m_onStack[t];
        m_expected[t] = plan;
    }
    QTest::mouseClick(m_tabs[t].button, Qt::LeftButton);
    if (!plays)
        return;
    --m_onStack[t];
    if (!m_closing) {
        ++m_finished;
        verify(broken(t));
    }
}

// After any event; once the launch of tab @p finished returned with its trace played to the end,
// its series must hold the whole plan.
QStringList RandomSession::broken(int finished) const
{
    const TForm2 &f = m_form;
    QStringList out;
    for (int t = 0; t < 4; ++t) {
        const TraceTab &tab = m_tabs[t];
        const QString name = u"tab %1: "_s.arg(t + 1);
        const bool running = m_onStack[t] > 0;
        if (tab.button->isHidden() != running)
            out << name
                    + u"launch button hidden: %1, trace running: %2"_s.arg(!running).arg(running);
        if (!running && !tab.picture->lights().isEmpty())
            out << name + u"circuit lit while no trace of it runs"_s;
        for (qsizetype i = 0; i < tab.series.size(); ++i) {
            // A trace appends in ascending x; a series of two traces shows where the second began.
            const QList<QPointF> points = tab.series[i]->points();
            if (!std::is_sorted(points.cbegin(), points.cend(),
                                [](QPointF a, QPointF b) { return a.x() < b.x(); }))
                out << name + u"x goes back in "_s + tab.series[i]->objectName();
            if (!m_expected[t] || (finished >= 0 && finished != t))
                continue;
            const QList<QPointF> &plan = (*m_expected[t])[i];
            if (finished == t ? points != plan : plan.mid(0, points.size()) != points)
                out << name
                        + u"%1 holds %2 points, not %3 of its plan of %4"_s
                              .arg(tab.series[i]->objectName())
                              .arg(points.size())
                              .arg(finished == t ? u"all"_s : u"a beginning"_s)
                              .arg(plan.size());
        }
        if (m_moved[t] && tab.box->text() != toolkit::FloatToStr(tab.bar->value()))
            out << name
                    + u"track bar at %1, its box shows %2"_s.arg(tab.bar->value())
                          .arg(tab.box->text());
    }
    // Tab 2: each run clears its three series and fills the average and the pulses of its own
    // direction, in step; the box tells the direction.
    const int positive = f.signalrco1->count();
    const int negative = f.signalrco2->count();
    const int pulses = std::max(positive, negative);
    if ((positive > 0 && negative > 0) || f.tensionmoyenne1->count() != pulses || pulses > 132
        || (finished == 1 && pulses != 132))
        out << u"tab 2: %1 average, %2 positive, %3 negative points"_s
                   .arg(f.tensionmoyenne1->count())
                   .arg(positive)
                   .arg(negative);
    if (!QStringList {u"Sélectionner sens"_s, u"Sens positif"_s, u"Sens négatif"_s}.contains(
            f.Edit3->text()))
        out << u"Edit3 shows "_s + f.Edit3->text();
    // At rest, the last tab clicked decides: the DC motor in view (as at start-up) for tabs 1
    // and 2, the stepper for tabs 3 and 4.
    const bool sliding = f.animationmoteurcc->isRunning() || f.animationmoteurccbis->isRunning()
        || f.animationmoteurpasapas->isRunning() || f.animationmoteurpasapasbis->isRunning();
    const bool stepperView = f.TabControl1->currentIndex() >= 2;
    if (!sliding
        && (std::abs(f.moteurcc->positionX() - (stepperView ? -20.0f : 0.0f)) > 1e-4f
            || std::abs(f.moteurpasapas->positionX() - (stepperView ? 0.0f : 20.0f)) > 1e-4f))
        out << u"at rest on tab %1: the motors at %2 and %3"_s
                   .arg(f.TabControl1->currentIndex() + 1)
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
