// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/tform2.h"

#include "sim/plan.h"

#include "toolkit/livepause.h"
#include "toolkit/trackbar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointF>
#include <QTimer>

#include <functional>
#include <map>

/// Watches the point steps of every trace played in a window, nested ones included, counting
/// them from 1. An action given to at() runs inside the pause of that step, as a user's click
/// would; an observer given to onEveryStep() runs right after each step's appends and only looks.
class StepWatch
{
public:
    using Clock = toolkit::StepSchedule::Clock;

    explicit StepWatch(TForm2 *form)
    {
        m_connection = QObject::connect(&form->pause(), &toolkit::LivePause::stepPaused, form,
                                        [this, form](Clock::time_point start) {
                                            m_lastStart = start;
                                            if (m_observer)
                                                m_observer(++m_steps);
                                            else
                                                ++m_steps;
                                            const auto [from, to] = m_actions.equal_range(m_steps);
                                            for (auto it = from; it != to; ++it)
                                                QTimer::singleShot(0, form, it->second);
                                        });
    }
    ~StepWatch() { QObject::disconnect(m_connection); }

    void at(int step, std::function<void()> action) { m_actions.emplace(step, std::move(action)); }
    void onEveryStep(std::function<void(int)> observer) { m_observer = std::move(observer); }
    int steps() const { return m_steps; }
    /// When the last step began, as the player reports it.
    Clock::time_point lastStart() const { return m_lastStart; }

private:
    QMetaObject::Connection m_connection;
    int m_steps = 0;
    Clock::time_point m_lastStart;
    std::multimap<int, std::function<void()>> m_actions;
    std::function<void(int)> m_observer;
};

/// The points a plan leaves in each of its series, in append order.
inline QList<QList<QPointF>> pointsOf(const sim::Plan &plan)
{
    QList<QList<QPointF>> points(qsizetype(plan.seriesCount()));
    for (const sim::Step &step : plan) {
        for (std::size_t i = 0; i < step.y.size(); ++i)
            points[qsizetype(i)].append(QPointF(step.x, step.y[i]));
    }
    return points;
}

/// Moves @p bar to @p value so that its change handler runs, even when it is there already.
inline void moveTo(toolkit::TrackBar *bar, double value)
{
    if (bar->value() == value)
        bar->setValue(value == 50.0 ? 60.0 : 50.0);
    bar->setValue(value);
}

/// Runs @p action, answering "OK" to every message box it shows; returns their texts.
inline QStringList answeringMessageBoxes(const std::function<void()> &action)
{
    QStringList shown;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&shown] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown << box->text();
            box->button(QMessageBox::Ok)->click();
        }
    });
    answer.start(10);
    action();
    return shown;
}
