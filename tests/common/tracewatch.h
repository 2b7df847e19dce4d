// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/tform2.h"

#include "sim/bipolartrace.h"
#include "sim/hbridgetrace.h"
#include "sim/plan.h"
#include "sim/pwmtrace.h"
#include "sim/stepper.h"
#include "sim/unipolartrace.h"

#include "toolkit/diagram.h"
#include "toolkit/lineseries.h"
#include "toolkit/livepause.h"
#include "toolkit/trackbar.h"

#include <QPushButton>
#include <QTimer>

#include <array>
#include <functional>
#include <map>

/// Counts the point steps of every trace in a window, nested ones included, from 1: an action
/// runs inside the pause of its step, as a user's click would; an observer only looks.
class StepWatch
{
public:
    explicit StepWatch(TForm2 *form)
    {
        m_connection =
            QObject::connect(&form->pause(), &toolkit::LivePause::stepPaused, form, [this, form] {
                ++m_steps;
                if (m_observer)
                    m_observer(m_steps);
                const auto [from, to] = m_actions.equal_range(m_steps);
                for (auto it = from; it != to; ++it)
                    QTimer::singleShot(0, form, it->second);
            });
    }
    ~StepWatch() { QObject::disconnect(m_connection); }

    void at(int step, std::function<void()> action) { m_actions.emplace(step, std::move(action)); }
    void onEveryStep(std::function<void(int)> observer) { m_observer = std::move(observer); }
    int steps() const { return m_steps; }

private:
    QMetaObject::Connection m_connection;
    int m_steps = 0;
    std::multimap<int, std::function<void()>> m_actions;
    std::function<void(int)> m_observer;
};

/// Moves @p bar to @p value so that its change handler runs, even when it is there already.
inline void moveTo(toolkit::TrackBar *bar, double value)
{
    if (bar->value() == value)
        bar->setValue(value == 50.0 ? 60.0 : 50.0);
    bar->setValue(value);
}

/// The points a run of tab @p n leaves in its series at @p value (tab 2: direction 1 or 2).
inline QList<QList<QPointF>> planned(int n, double value, int direction = 1)
{
    const float slowness = sim::stepper::slowness(sim::stepper::speed(value));
    const sim::Plan plan = n == 1 ? sim::pwm::plan(int(value))
        : n == 2                  ? sim::hbridge::runPlan(int(value), direction == 1 ? 12.0 : -12.0)
        : n == 3                  ? *sim::unipolar::plan(slowness)
                                  : *sim::bipolar::plan(slowness);
    QList<QList<QPointF>> points(qsizetype(plan.seriesCount()));
    for (const sim::Step &step : plan) {
        for (std::size_t i = 0; i < step.y.size(); ++i)
            points[qsizetype(i)].append(QPointF(step.x, step.y[i]));
    }
    return points;
}

inline QList<QList<QPointF>> pointsIn(const QList<toolkit::LineSeries *> &series)
{
    QList<QList<QPointF>> points;
    for (const toolkit::LineSeries *s : series)
        points << s->points();
    return points;
}

/// The parts of tab @p n a trace goes through; tab 2's series in the direction @p direction.
struct TraceTab
{
    toolkit::TrackBar *bar;
    QLineEdit *box; // the track bar's value
    QPushButton *button;
    toolkit::Diagram *picture;
    QList<toolkit::LineSeries *> series;
    QLineEdit *angle; // stepper tabs: the rotor's angle
    QPushButton *direction;
    QWidget *panel; // the circuit diagram's, with its buttons to slide it in and out
    QAbstractButton *montage, *close;

    TraceTab(TForm2 &f, int n, int way = 1)
    {
        const std::size_t i = n - 1;
        bar = std::array {f.valeurmoteur, f.valeurmoteur1, f.valeurmoteur3, f.valeurmoteur4}[i];
        box = std::array<QLineEdit *, 4> {f.Edit1, f.Edit2, f.Edit4, f.Edit5}[i];
        button = std::array {f.Button1, f.Button2, f.Button7, f.Button5}[i];
        picture = std::array {f.Image1, f.Image2, f.Image3, f.Image4}[i];
        series = std::array<QList<toolkit::LineSeries *>, 4> {
            {{f.tensionmoyenne, f.signalrco},
             {f.tensionmoyenne1, way == 1 ? f.signalrco1 : f.signalrco2},
             {f.tr1, f.tr2, f.tr3, f.tr4},
             {f.tr11, f.tr12}}}[i];
        angle = std::array<QLineEdit *, 4> {nullptr, nullptr, f.Edit6, f.Edit7}[i];
        direction = n == 2 ? (way == 1 ? f.Button3 : f.Button4) : nullptr;
        panel = std::array<QWidget *, 4> {f.ferme1, f.ferme2, f.ferme3, f.ferme4}[i];
        montage = std::array<QAbstractButton *, 4> {f.Button6, f.Button8, f.Button9, f.Button10}[i];
        close = std::array<QAbstractButton *, 4> {f.SpeedButton1, f.SpeedButton2, f.SpeedButton3,
                                                  f.SpeedButton4}[i];
    }
    /// The levels of the last point of each series, 0 for one still empty.
    QList<double> levels() const
    {
        QList<double> y;
        for (const toolkit::LineSeries *s : series)
            y << (s->count() ? s->points().constLast().y() : 0.0);
        return y;
    }
    /// Sets the track bar to @p value (and tab 2's direction) for a launch.
    void prepare(double value) const
    {
        moveTo(bar, value);
        if (direction)
            direction->click();
    }
};
