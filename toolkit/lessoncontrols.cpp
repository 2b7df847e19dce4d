// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/lessoncontrols.h"

#include "toolkit/glyphbutton.h"
#include "toolkit/livepause.h"

#include <QAccessible>
#include <QHBoxLayout>
#include <QLabel>
#include <QShortcut>

#include <algorithm>

namespace toolkit {

namespace {

QString paceName(LessonClock::Pace pace)
{
    switch (pace) {
    case LessonClock::Pace::Normal:
        return QStringLiteral("×1");
    case LessonClock::Pace::Quarter:
        return QStringLiteral("×¼");
    case LessonClock::Pace::Tenth:
        break;
    }
    return QStringLiteral("×1⁄10");
}

} // namespace

LessonControls::LessonControls(LivePause &pause, QWidget *parent)
    : QWidget(parent)
    , m_pauses(pause)
    , m_clock(pause.clock())
    , m_pause(new GlyphButton(GlyphButton::Glyph::Pause, this))
    , m_step(new GlyphButton(GlyphButton::Glyph::Step, this))
    , m_pace(new QPushButton(this))
    , m_state(new QLabel(this))
{
    setObjectName(QStringLiteral("lessonControls"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 4, 2);
    row->setSpacing(4);
    row->addWidget(m_state);
    row->addWidget(m_pause);
    row->addWidget(m_step);
    row->addWidget(m_pace);

    m_pause->setObjectName(QStringLiteral("lessonPause"));
    m_step->setObjectName(QStringLiteral("lessonStep"));
    m_pace->setObjectName(QStringLiteral("lessonPace"));
    m_state->setObjectName(QStringLiteral("lessonState"));
    m_pause->setToolTip(tr("Mettre en pause ou reprendre la leçon (touche P)"));
    m_step->setToolTip(tr("Avancer d'un pas, leçon en pause (touche S)"));
    m_pace->setToolTip(tr("Allure : normale, ralentie ×¼ ou ×1⁄10 (touche R)"));
    m_step->setAccessibleName(tr("Avancer d'un pas"));
    // The state line is as large as the tabs' captions, and bolder.
    QFont bold = m_state->font();
    bold.setBold(true);
    m_state->setFont(bold);
    m_state->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Room for the longest state from the start: the group keeps its size, and its buttons their
    // place, whatever it says.
    int widest = 0;
    for (const QString &text :
         {tr("En pause"), tr("Ralenti %1").arg(paceName(LessonClock::Pace::Tenth)),
          tr("Ralenti %1").arg(paceName(LessonClock::Pace::Quarter))})
        widest = std::max(widest, m_state->fontMetrics().horizontalAdvance(text));
    m_state->setMinimumWidth(widest + 4);
    for (QPushButton *button :
         {static_cast<QPushButton *>(m_pause), static_cast<QPushButton *>(m_step), m_pace})
        button->setFocusPolicy(Qt::TabFocus);

    connect(m_pause, &QPushButton::clicked, this, &LessonControls::togglePause);
    connect(m_step, &QPushButton::clicked, this, &LessonControls::stepOnce);
    connect(m_pace, &QPushButton::clicked, this, &LessonControls::cyclePace);
    connect(&m_clock, &LessonClock::pausedChanged, this, &LessonControls::showState);
    connect(&m_clock, &LessonClock::paceChanged, this, &LessonControls::showState);
    showState();
}

void LessonControls::installKeys(QWidget *window)
{
    const auto key = [window](Qt::Key k, auto slot, QObject *receiver) {
        auto *shortcut = new QShortcut(QKeySequence(k), window);
        connect(shortcut, &QShortcut::activated, receiver, slot);
    };
    key(
        Qt::Key_P, [this] { togglePause(); }, this);
    key(
        Qt::Key_S, [this] { stepOnce(); }, this);
    key(
        Qt::Key_R, [this] { cyclePace(); }, this);
}

void LessonControls::togglePause()
{
    m_clock.setPaused(!m_clock.isPaused());
}

void LessonControls::stepOnce()
{
    m_clock.advance(m_pauses.interval());
}

void LessonControls::cyclePace()
{
    m_clock.setPace(LessonClock::nextPace(m_clock.pace()));
}

QString LessonControls::stateText() const
{
    if (m_clock.isPaused())
        return tr("En pause");
    if (m_clock.pace() != LessonClock::Pace::Normal)
        return tr("Ralenti %1").arg(paceName(m_clock.pace()));
    return {};
}

void LessonControls::showState()
{
    const bool paused = m_clock.isPaused();
    m_pause->setGlyph(paused ? GlyphButton::Glyph::Play : GlyphButton::Glyph::Pause);
    m_pause->setAccessibleName(paused ? tr("Reprendre la leçon") : tr("Mettre en pause"));
    m_step->setEnabled(paused);
    m_pace->setText(paceName(m_clock.pace()));
    m_pace->setAccessibleName(tr("Allure %1").arg(paceName(m_clock.pace())));
    m_state->setText(stateText());
    m_state->setAccessibleName(stateText().isEmpty() ? tr("Leçon en cours") : stateText());
}

} // namespace toolkit
