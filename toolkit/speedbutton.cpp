// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/speedbutton.h"

#include <QPainter>
#include <QStyleOptionToolButton>

namespace toolkit {

SpeedButton::SpeedButton(QWidget *parent) : QToolButton(parent)
{
    setAutoRaise(true);
    setCursor(Qt::PointingHandCursor);
    setToolTip(tr("Fermer"));
}

void SpeedButton::paintEvent(QPaintEvent *)
{
    QStyleOptionToolButton option;
    initStyleOption(&option);
    const bool hovered = option.state & QStyle::State_MouseOver;
    const bool pressed = option.state & QStyle::State_Sunken;

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = qMin(width(), height()) - 4.0;
    const QRectF disc((width() - side) / 2.0, (height() - side) / 2.0, side, side);

    QColor fill = palette().color(QPalette::Mid);
    if (hovered)
        fill = QColor(0xE8, 0x11, 0x23); // the desktop's close red
    if (pressed)
        fill = QColor(0xA0, 0x0E, 0x18);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawEllipse(disc);

    QPen cross(Qt::white, side / 9.0, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(cross);
    const qreal arm = side * 0.2;
    const QPointF c = disc.center();
    painter.drawLine(c + QPointF(-arm, -arm), c + QPointF(arm, arm));
    painter.drawLine(c + QPointF(-arm, arm), c + QPointF(arm, -arm));

    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(disc.adjusted(-1.5, -1.5, 1.5, 1.5));
    }
}

} // namespace toolkit
