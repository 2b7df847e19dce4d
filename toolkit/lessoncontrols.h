// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/lessonclock.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace toolkit {

class GlyphButton;
class LivePause;

/// The teacher's hold on the lesson's time: pause and resume, one point step while held, and
/// the pace (normal, ×¼, ×1⁄10), with the state written beside them (« En pause »,
/// « Ralenti ×¼ »). The keys P, S and R do the same from anywhere in the window they are given
/// to (installKeys()); none of them is a key a control needs.
class LessonControls : public QWidget
{
    Q_OBJECT

public:
    /// Holds and paces @p pause's clock; a step lasts @p pause's interval.
    explicit LessonControls(LivePause &pause, QWidget *parent = nullptr);

    /// P, S and R work wherever the focus is in @p window.
    void installKeys(QWidget *window);

    void togglePause();
    /// While held: moves the lesson on by one point step's time.
    void stepOnce();
    void cyclePace();

    /// What the state line says: « En pause », « Ralenti ×¼ », « Ralenti ×1⁄10 » or nothing.
    QString stateText() const;

    GlyphButton *pauseButton() const { return m_pause; }
    GlyphButton *stepButton() const { return m_step; }
    QPushButton *paceButton() const { return m_pace; }

private:
    void showState();

    LivePause &m_pauses;
    LessonClock &m_clock;
    GlyphButton *m_pause;
    GlyphButton *m_step;
    QPushButton *m_pace;
    QLabel *m_state;
};

} // namespace toolkit
