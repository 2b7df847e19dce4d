// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QWidget>

/// Gives @p window the size the benchmarks are asked for: "full" (full screen), "max"
/// (maximised), "WxH" (that size); anything else leaves it as it opened. The first two need a
/// window manager.
inline void applyWindowState(QWidget *window, const QByteArray &state)
{
    if (state == "full")
        window->setWindowState(Qt::WindowFullScreen);
    else if (state == "max")
        window->setWindowState(Qt::WindowMaximized);
    else if (const QList<QByteArray> wh = state.split('x'); wh.size() == 2)
        window->resize(wh[0].toInt(), wh[1].toInt());
}
