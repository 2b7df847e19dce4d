// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/glyphbutton.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace toolkit {

namespace {

// The glyphs in a square of side 1.
QPainterPath glyphPath(GlyphButton::Glyph glyph)
{
    QPainterPath path;
    switch (glyph) {
    case GlyphButton::Glyph::Pause:
        path.addRect(QRectF(0.15, 0.05, 0.25, 0.9));
        path.addRect(QRectF(0.6, 0.05, 0.25, 0.9));
        break;
    case GlyphButton::Glyph::Play:
        path.moveTo(0.15, 0.0);
        path.lineTo(0.95, 0.5);
        path.lineTo(0.15, 1.0);
        path.closeSubpath();
        break;
    case GlyphButton::Glyph::Step:
        path.moveTo(0.0, 0.05);
        path.lineTo(0.68, 0.5);
        path.lineTo(0.0, 0.95);
        path.closeSubpath();
        path.addRect(QRectF(0.75, 0.05, 0.2, 0.9));
        break;
    }
    return path;
}

} // namespace

GlyphButton::GlyphButton(Glyph glyph, QWidget *parent) : QPushButton(parent), m_glyph(glyph) { }

void GlyphButton::setGlyph(Glyph glyph)
{
    if (glyph == m_glyph)
        return;
    m_glyph = glyph;
    update();
}

QSize GlyphButton::sizeHint() const
{
    // As high as a caption of the button's font, and square.
    const int side = fontMetrics().height() + 10;
    return {side + 6, side};
}

void GlyphButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    const qreal side = fontMetrics().capHeight() * 1.2;
    const QRectF box(QPointF(width() - side, height() - side) / 2, QSizeF(side, side));
    QTransform place;
    place.translate(box.left(), box.top());
    place.scale(side, side);
    painter.setRenderHint(QPainter::Antialiasing);
    // The style sheet gives every button one text colour; a glyph that cannot be used now is
    // drawn paler, as a disabled caption is.
    const QColor ink = palette().color(QPalette::ButtonText);
    painter.fillPath(place.map(glyphPath(m_glyph)),
                     isEnabled() ? ink : QColor::fromRgbF(0.62f, 0.62f, 0.62f));
}

} // namespace toolkit
