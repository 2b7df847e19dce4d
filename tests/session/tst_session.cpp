// SPDX-License-Identifier: GPL-3.0-or-later
// Randomised sessions: user events fired at the window, traces nesting in each other's pauses,
// the invariants checked after every event. Two fixed seeds run a short session each;
// SM_SESSION_SEED and SM_SESSION_EVENTS replay one exactly (events follow the window's own event
// handling, never the clock).

#include "tracewatch.h"

#include "sim/dcmotor.h"

#include "toolkit/floattostr.h"
#include "toolkit/tabcontrol.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QTabBar>
#include <QTest>

#include <optional>
#include <random>

using namespace Qt::StringLiterals;

// A user gone wild, replayable from its seed: one event each time the window handles its
// pending events (a click on a button or a tab header, a track-bar move, a message box
// answered), also from inside the pauses of running traces, so that they nest. The session stops at
// the first invariant broken, then closes the window with whatever traces are on the stack.
class RandomSession : public QObject
{
public:
    RandomSession(TForm2 &form, quint32 seed, int events);
    /// Returns once every launch has returned: the invariants broken, with the events that led
    /// there; empty when all held.
    QStringList run();

    /// Every event fired, with how many earlier ones were still running when it came.
    QStringList log() const { return m_log; }

private:
    void tick();
    void fireOne();
    void launch(int t);
    int randomInt(int low, int high)
    {
        return std::uniform_int_distribution<int>(low, high)(m_random);
    }
    QStringList broken(int finished = -1) const;
    void verify(const QStringList &broken);

    TForm2 &m_form;
    quint32 m_seed;
    int m_events;
    std::mt19937 m_random;
    QList<TraceTab> m_tabs;
    // Per tab: its traces on the stack (0 or 1: a launch button hides while its trace runs),
    // whether its track bar moved (before, the box keeps the form's text), and the points its
    // series must hold when its levels are fixed at launch (not tab 2, whose second run may start
    // from levels read in the middle of the first).
    int m_onStack[4] = {};
    bool m_moved[4] = {};
    std::optional<QList<QList<QPointF>>> m_expected[4];
    QStringList m_log;
    QStringList m_broken;
    int m_fired = 0;
    int m_running = 0;
    bool m_closing = false;
};

RandomSession::RandomSession(TForm2 &form, quint32 seed, int events)
    : m_form(form), m_seed(seed), m_events(events), m_random(seed)
{
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
    QTimer::singleShot(0, this, &RandomSession::tick);
    if (!QTest::qWaitFor([this] { return m_closing && m_running == 0; }, 600'000))
        m_broken << u"the session did not end: %1 events fired"_s.arg(m_fired);
    return m_broken;
}

void RandomSession::tick()
{
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
    // Posted: the next pass of whatever event loop runs now (a pause's, a message box's) fires
    // it, however long that takes.
    QTimer::singleShot(0, this, &RandomSession::tick);
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
        // 100 (no stepper trace at all), whole and quarter values; a stepper bar stays below 98,
        // above which traces of thousands of points would make a session last minutes.
        possible.append({u"track bar %1 set"_s.arg(t + 1), [this, bar = tab.bar, t] {
                             const int top = t >= 2 ? 98 : 100;
                             const int kind = randomInt(0, 9);
                             bar->setValue(kind == 0       ? 100.0
                                               : kind <= 4 ? randomInt(0, top)
                                                           : randomInt(0, top * 4) / 4.0);
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
    m_log << u"#%1 %2 (inside %3)"_s.arg(++m_fired).arg(name).arg(m_running);
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
    if (!m_closing)
        verify(broken(t));
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
        for (qsizetype i = 0;
             m_expected[t] && (finished < 0 || finished == t) && i < tab.series.size(); ++i) {
            const QList<QPointF> points = tab.series[i]->points();
            const QList<QPointF> &plan = (*m_expected[t])[i];
            if (finished == t ? points != plan : plan.mid(0, points.size()) != points)
                out << name + tab.series[i]->objectName() + u" strays from its plan"_s;
        }
        if (m_moved[t] && tab.box->text() != toolkit::FloatToStr(tab.bar->value()))
            out << name + u"the box shows "_s + tab.box->text();
    }
    // Tab 2: each run clears its three series and fills the average and the pulses of its own
    // direction, in step.
    const int positive = f.signalrco1->count();
    const int negative = f.signalrco2->count();
    const int pulses = std::max(positive, negative);
    if ((positive > 0 && negative > 0) || f.tensionmoyenne1->count() != pulses || pulses > 132
        || (finished == 1 && pulses != 132))
        out << u"tab 2: %1 average, %2 positive, %3 negative points"_s.arg(
            f.tensionmoyenne1->count(), positive, negative);
    return out;
}

void RandomSession::verify(const QStringList &broken)
{
    if (broken.isEmpty() || !m_broken.isEmpty())
        return;
    m_broken = broken;
    m_broken << u"seed %1, after event %2 of %3, the last events:"_s.arg(m_seed).arg(m_fired).arg(
        m_events)
             << m_log.mid(m_log.size() - 40);
}

class tst_Session : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A decimal comma in the edit boxes, as a French user sees them.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void randomSession_data();
    void randomSession();
    void aSeedReplaysItsSession();

private:
    static bool play(quint32 seed, int events, QStringList *log);
};

void tst_Session::randomSession_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("events");
    const int events = qEnvironmentVariableIntValue("SM_SESSION_EVENTS");
    const QList<quint32> seeds = qEnvironmentVariableIsSet("SM_SESSION_SEED")
        ? QList<quint32> {qEnvironmentVariable("SM_SESSION_SEED").toUInt()}
        : QList<quint32> {20261207u, 4242u};
    for (quint32 seed : seeds)
        QTest::addRow("seed %u", seed) << seed << (events > 0 ? events : 500);
}

void tst_Session::randomSession()
{
    QFETCH(quint32, seed);
    QFETCH(int, events);
    QStringList log;
    QVERIFY(play(seed, events, &log));
}

// The same events at the same nesting, run after run, whatever the machine's load.
void tst_Session::aSeedReplaysItsSession()
{
    QStringList first, second;
    QVERIFY(play(20261207u, 300, &first));
    QVERIFY(play(20261207u, 300, &second));
    QCOMPARE(second, first);
    QVERIFY(!first.filter(u"(inside 2)"_s).isEmpty()); // traces nested in traces' pauses
}

bool tst_Session::play(quint32 seed, int events, QStringList *log)
{
    TForm2 form;
    // No time of its own: each pause handles the window's pending events once, so what happens
    // in it follows from the events alone.
    form.pause().setInterval(std::chrono::milliseconds(0));
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return false;
    RandomSession session(form, seed, events);
    const QStringList broken = session.run();
    *log = session.log();
    if (!broken.isEmpty())
        qWarning("%s", qPrintable(broken.join(u'\n')));
    return broken.isEmpty() && log->size() == events;
}

QTEST_MAIN(tst_Session)
#include "tst_session.moc"
