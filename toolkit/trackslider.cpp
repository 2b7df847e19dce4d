// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/trackslider.h"

#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>

namespace toolkit {

TrackSlider::TrackSlider(QWidget *parent) : QSlider(Qt::Horizontal, parent)
{
    // Takes the bar's whole box rather than the slider's own height in its middle.
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TrackSlider::onTheGroove(QMouseEvent *event, const std::function<void(QMouseEvent *)> &handle)
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QPointF shift(0.0, groove.center().y() - event->position().y());
    QMouseEvent moved(event->type(), event->position() + shift, event->scenePosition() + shift,
                      event->globalPosition() + shift, event->button(), event->buttons(),
                      event->modifiers(), event->pointingDevice());
    moved.setTimestamp(event->timestamp());
    handle(&moved);
    event->setAccepted(moved.isAccepted());
}

void TrackSlider::mousePressEvent(QMouseEvent *event)
{
    onTheGroove(event, [this](QMouseEvent *moved) { QSlider::mousePressEvent(moved); });
}

void TrackSlider::mouseMoveEvent(QMouseEvent *event)
{
    onTheGroove(event, [this](QMouseEvent *moved) { QSlider::mouseMoveEvent(moved); });
}

void TrackSlider::mouseReleaseEvent(QMouseEvent *event)
{
    onTheGroove(event, [this](QMouseEvent *moved) { QSlider::mouseReleaseEvent(moved); });
}

} // namespace toolkit
