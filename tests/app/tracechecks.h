// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/lineseries.h"
#include "toolkit/trackbar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QPointF>
#include <QTimer>

#include <algorithm>
#include <functional>

/// The pulse train that the traces of tabs 1 and 2 must leave in their pulsed series, built from
/// the rule of those tabs: periods at s = 0, 20 .. 100, each with the high points x = s .. s + H
/// at 12 V and the low points x = s + H .. s + 20 at 0 V.
inline QList<QPointF> pulseTrain(int highWidth)
{
    QList<QPointF> points;
    for (int s = 0; s <= 100; s += 20) {
        for (int x = s; x <= s + highWidth; ++x)
            points.append(QPointF(x, 12.0));
        for (int x = s + highWidth; x <= s + 20; ++x)
            points.append(QPointF(x, 0.0));
    }
    return points;
}

/// True when @p series has points and every one of them is at @p level.
inline bool allAt(const toolkit::LineSeries *series, double level)
{
    const QList<QPointF> points = series->points();
    return !points.isEmpty()
        && std::all_of(points.cbegin(), points.cend(),
                       [level](const QPointF &p) { return p.y() == level; });
}

/// The abscissae of @p series, in its order.
inline QList<double> xs(const toolkit::LineSeries *series)
{
    QList<double> out;
    for (const QPointF &p : series->points())
        out.append(p.x());
    return out;
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
    answer.setInterval(10);
    QObject::connect(&answer, &QTimer::timeout, [&shown] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown << box->text();
            box->button(QMessageBox::Ok)->click();
        }
    });
    answer.start();
    action();
    return shown;
}
