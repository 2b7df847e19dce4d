// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/trackbar.h"

#include "toolkit/trackslider.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>

namespace toolkit {

namespace {
constexpr int kMinimum = 0;
constexpr int kMaximum = 100;
} // namespace

TrackBar::TrackBar(QWidget *parent) : QWidget(parent), m_slider(new TrackSlider(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_slider);
    m_slider->setObjectName(QStringLiteral("thumb"));
    m_slider->setRange(kMinimum, kMaximum);
    m_slider->setSingleStep(1);
    m_slider->setPageStep(10);
    m_slider->setTickPosition(QSlider::TicksBelow);
    m_slider->setTickInterval(10);
    setFocusProxy(m_slider);
    setFocusPolicy(m_slider->focusPolicy());
    connect(m_slider, &QSlider::valueChanged, this, &TrackBar::takeSliderValue);
}

void TrackBar::setValue(double value)
{
    if (std::isnan(value))
        return;
    value = std::clamp(value, double(kMinimum), double(kMaximum));
    if (value == m_value)
        return;
    m_value = value;
    {
        const QSignalBlocker blocker(m_slider);
        m_slider->setValue(int(std::lround(value)));
    }
    Q_EMIT changed();
}

int TrackBar::frequency() const
{
    return m_slider->tickInterval();
}

void TrackBar::setFrequency(int ticks)
{
    m_slider->setTickInterval(ticks);
}

QSize TrackBar::sizeHint() const
{
    return m_slider->sizeHint();
}

bool TrackBar::event(QEvent *event)
{
    // Keyboard focus and screen readers land on the inner slider: give it the bar's name.
    if (event->type() == QEvent::Polish && m_slider->accessibleName().isEmpty())
        m_slider->setAccessibleName(accessibleName());
    return QWidget::event(event);
}

void TrackBar::takeSliderValue(int position)
{
    if (double(position) == m_value)
        return;
    m_value = position;
    Q_EMIT changed();
}

} // namespace toolkit
