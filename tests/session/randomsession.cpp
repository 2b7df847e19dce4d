// SPDX-License-Identifier: GPL-3.0-or-later
#include "randomsession.h"

#include "app/tform2.h"

#include "sim/bipolartrace.h"
#include "sim/dcmotor.h"
#include "sim/pwmtrace.h"
#include "sim/stepper.h"
#include "sim/unipolartrace.h"

#include "toolkit/tabcontrol.h"
#include "toolkit/trackbar.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTest>

#include <algorithm>
#include <optional>

namespace {

// Enough of the last events to replay a failure by eye; the seed replays it exactly.
constexpr qsizetype kRecentEvents = 40;

// A stepper track bar above this makes traces of thousands of points; the session keeps its
// random values below it so that a few thousand events stay a matter of seconds. The keyboard
// still reaches 99 and 100.
constexpr double kStepperValueCeiling = 98.0;

QList<QList<QPointF>> pointsOf(const sim::Plan &plan)
{
    QList<QList<QPointF>> points(qsizetype(plan.seriesCount()));
    for (const sim::Step &step : plan) {
        for (std::size_t i = 0; i < step.y.size(); ++i)
            points[qsizetype(i)].append(QPointF(step.x, step.y[i]));
    }
    return points;
}

} // namespace

RandomSession::RandomSession(TForm2 &form, quint32 seed, int events)
    : m_form(form), m_seed(seed), m_events(events), m_random(seed), m_invariants(form, m_book)
{
    m_driver.setSingleShot(true);
    m_driver.setTimerType(Qt::PreciseTimer);
    connect(&m_driver, &QTimer::timeout, this, &RandomSession::tick);

    const toolkit::TrackBar *bars[4] = {form.valeurmoteur, form.valeurmoteur1, form.valeurmoteur3,
                                        form.valeurmoteur4};
    for (int t = 0; t < 4; ++t)
        connect(bars[t], &toolkit::TrackBar::changed, this,
                [this, t] { m_invariants.trackBarMoved(t + 1); });
}

QStringList RandomSession::run()
{
    verify(m_invariants.check());
    m_driver.start(1);
    // The driver itself closes the window at the end, from inside whatever pauses are running.
    const bool ended =
        QTest::qWaitFor([this] { return m_closing && m_actionsRunning == 0; }, 600'000);
    if (!ended)
        m_broken << QStringLiteral("the session did not end: %1 events fired, %2 still running")
                        .arg(m_fired)
                        .arg(m_actionsRunning);
    return m_broken;
}

void RandomSession::tick()
{
    if (m_closing)
        return;
    int onStack = 0;
    for (const TraceBook::Tab &tab : m_book.tabs)
        onStack += tab.onStack;
    m_deepest = std::max(m_deepest, onStack);
    verify(m_invariants.check());
    if (answerMessageBox()) {
        m_driver.start(randomInt(1, 2));
        return;
    }
    if (m_fired >= m_events || !m_broken.isEmpty()) {
        // Close with whatever traces are on the stack: every pause must return at once.
        m_closing = true;
        m_form.close();
        return;
    }
    fireOne();
    m_driver.start(randomInt(1, 2));
}

// A modal box blocks the window, so a user can only answer it; the session does so after a
// random number of events' worth of waiting.
bool RandomSession::answerMessageBox()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box)
        return false;
    if (randomInt(0, 2) == 0) {
        ++m_answered;
        box->button(QMessageBox::Ok)->click();
    }
    return true;
}

void RandomSession::fireOne()
{
    TForm2 &f = m_form;
    QList<std::pair<QString, Action>> possible;
    const auto clickable = [&possible](QAbstractButton *button) {
        if (button->isVisible())
            possible.append(
                {button->objectName(), [button] { QTest::mouseClick(button, Qt::LeftButton); }});
    };
    for (int index = 0; index < 4; ++index)
        possible.append(
            {QStringLiteral("tab header %1").arg(index + 1), [this, index] { clickTab(index); }});
    QPushButton *launchButtons[4] = {f.Button1, f.Button2, f.Button7, f.Button5};
    for (int t = 1; t <= 4; ++t) {
        if (!launchButtons[t - 1]->isVisible())
            continue;
        // Launches three times as likely as the other events, so that traces keep running.
        for (int i = 0; i < 3; ++i)
            possible.append({launchButtons[t - 1]->objectName(), [this, t] { launch(t); }});
    }
    for (QAbstractButton *button :
         {static_cast<QAbstractButton *>(f.Button3), static_cast<QAbstractButton *>(f.Button4),
          static_cast<QAbstractButton *>(f.Button6), static_cast<QAbstractButton *>(f.Button8),
          static_cast<QAbstractButton *>(f.Button9), static_cast<QAbstractButton *>(f.Button10),
          static_cast<QAbstractButton *>(f.SpeedButton1),
          static_cast<QAbstractButton *>(f.SpeedButton2),
          static_cast<QAbstractButton *>(f.SpeedButton3),
          static_cast<QAbstractButton *>(f.SpeedButton4)})
        clickable(button);
    for (int t = 1; t <= 4; ++t) {
        possible.append(
            {QStringLiteral("track bar %1 set").arg(t), [this, t] { moveTrackBar(t); }});
        possible.append(
            {QStringLiteral("track bar %1 key").arg(t), [this, t] { pressKeyOnTrackBar(t); }});
    }

    const auto &[name, action] = possible[randomInt(0, int(possible.size()) - 1)];
    runAction(name, action);
}

// The event runs from a timer of its own, as the window's event handling would run it, so the
// driver's next tick can come from inside the pauses of a trace it starts.
void RandomSession::runAction(const QString &name, const Action &action)
{
    ++m_fired;
    m_recent.append(QStringLiteral("#%1 %2 (pause depth %3)")
                        .arg(m_fired)
                        .arg(name)
                        .arg(m_form.pause().depth()));
    if (m_recent.size() > kRecentEvents)
        m_recent.removeFirst();
    QTimer::singleShot(0, this, [this, action] {
        ++m_actionsRunning;
        action();
        --m_actionsRunning;
        if (!m_closing)
            verify(m_invariants.check());
    });
}

void RandomSession::launch(int tab)
{
    TForm2 &f = m_form;
    QPushButton *buttons[4] = {f.Button1, f.Button2, f.Button7, f.Button5};
    QPushButton *button = buttons[tab - 1];
    if (!button->isVisible())
        return;

    // What the handler will do, from what the window shows: the track bar's value (a stepper
    // tab whose bar never moved has no slowness yet) and the direction in its box.
    const auto slowness = [this](int tab, const toolkit::TrackBar *bar) {
        return m_invariants.hasMoved(tab)
            ? sim::stepper::slowness(sim::stepper::speed(bar->value()))
            : 0.0f;
    };
    bool plays = true;
    std::optional<QList<QList<QPointF>>> expected;
    switch (tab) {
    case 1:
        expected = pointsOf(sim::pwm::plan(sim::dc::truncatedPercent(f.valeurmoteur->value())));
        break;
    case 2:
        plays = f.Edit3->text() != QStringLiteral("Sélectionner sens");
        break;
    case 3:
        if (const auto plan = sim::unipolar::plan(slowness(3, f.valeurmoteur3)))
            expected = pointsOf(*plan);
        plays = expected.has_value();
        break;
    default:
        if (const auto plan = sim::bipolar::plan(slowness(4, f.valeurmoteur4)))
            expected = pointsOf(*plan);
        plays = expected.has_value();
        break;
    }

    TraceBook::Tab &entry = m_book.tabs[tab - 1];
    if (plays) {
        ++entry.onStack;
        entry.expected = expected;
    }
    QTest::mouseClick(button, Qt::LeftButton);
    if (!plays)
        return;
    --entry.onStack;
    if (m_closing)
        return;
    ++m_finished;
    verify(m_invariants.checkFinished(tab));
}

void RandomSession::clickTab(int index)
{
    toolkit::TabControl *tabs = m_form.TabControl1;
    QTabBar *bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {},
                      bar->mapFrom(tabs, tabs->tabHeaderRect(index).center()));
}

void RandomSession::moveTrackBar(int tab)
{
    toolkit::TrackBar *bars[4] = {m_form.valeurmoteur, m_form.valeurmoteur1, m_form.valeurmoteur3,
                                  m_form.valeurmoteur4};
    const double ceiling = tab >= 3 ? kStepperValueCeiling : 100.0;
    double value = 0.0;
    switch (randomInt(0, 9)) {
    case 0:
        value = 0.0;
        break;
    case 1:
        value = 100.0; // no stepper trace at all
        break;
    case 2:
    case 3:
    case 4:
        value = randomInt(0, int(ceiling));
        break;
    case 5:
    case 6:
        value = randomInt(0, int(ceiling) * 4) / 4.0; // 37.5, 12.25 ...
        break;
    default:
        value = std::uniform_real_distribution<double>(0.0, ceiling)(m_random);
        break;
    }
    bars[tab - 1]->setValue(value);
}

void RandomSession::pressKeyOnTrackBar(int tab)
{
    toolkit::TrackBar *bars[4] = {m_form.valeurmoteur, m_form.valeurmoteur1, m_form.valeurmoteur3,
                                  m_form.valeurmoteur4};
    toolkit::TrackBar *bar = bars[tab - 1];
    if (!bar->isVisible())
        return;
    static constexpr Qt::Key keys[] = {Qt::Key_Left,   Qt::Key_Right,    Qt::Key_Up,   Qt::Key_Down,
                                       Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
    QSlider *slider = bar->findChild<QSlider *>();
    QTest::keyClick(slider, keys[randomInt(0, int(std::size(keys)) - 1)]);
}

void RandomSession::verify(const QStringList &broken)
{
    if (broken.isEmpty() || !m_broken.isEmpty())
        return;
    m_broken = broken;
    m_broken << QStringLiteral("seed %1, after event %2 of %3, the last events:")
                    .arg(m_seed)
                    .arg(m_fired)
                    .arg(m_events);
    m_broken << m_recent;
}

int RandomSession::randomInt(int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(m_random);
}
