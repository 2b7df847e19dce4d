// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/polylineitem.h"

#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include <algorithm>

namespace toolkit {

namespace {
// The charting module's layer for series: over the plot area, the grid and the axes, under the
// legend.
constexpr qreal kSeriesLayer = 4.0;
} // namespace

PolylineItem::PolylineItem(QGraphicsItem *parent) : QGraphicsItem(parent)
{
    setZValue(kSeriesLayer);
    // paint() needs the part being repainted to leave out the segments elsewhere.
    setFlag(ItemUsesExtendedStyleOption);
    setAcceptedMouseButtons(Qt::NoButton);
}

void PolylineItem::setPen(const QPen &pen)
{
    m_pen = pen;
    update();
}

void PolylineItem::setFrame(const Frame &frame)
{
    prepareGeometryChange();
    m_frame = frame;
    setPos(frame.plotArea.topLeft());

    // The plot area, widened by the fraction of a pixel that its position and size leave, so
    // that lines along its edges are drawn whole, but never so much that a line shows beyond it:
    // the charting module clips its series the same way.
    QRectF clip(QPointF(0, 0), frame.plotArea.size());
    const qreal x1 = pos().x() - int(pos().x());
    const qreal y1 = pos().y() - int(pos().y());
    const qreal x2 = (clip.width() + 0.5) - int(clip.width() + 0.5);
    const qreal y2 = (clip.height() + 0.5) - int(clip.height() + 0.5);
    clip.adjust(-x1, -y1, qMax(x1, x2), qMax(y1, y2));
    m_clip = clip;

    for (qsizetype i = 0; i < m_values.size(); ++i)
        m_positions[i] = place(m_values.at(i));
    update();
}

void PolylineItem::insert(qsizetype index, QPointF value)
{
    m_values.insert(index, value);
    m_positions.insert(index, place(value));
    // The segments that reach the new point; one between its neighbours, if it had two, lies
    // inside them. Nothing to repaint when they lie outside the plot area (an empty rectangle
    // would repaint the whole item).
    if (const QRectF box = segmentsBox(index - 1, index + 1); !box.isEmpty())
        update(box);
}

void PolylineItem::clear()
{
    m_values.clear();
    m_positions.clear();
    update();
}

QRectF PolylineItem::boundingRect() const
{
    return m_clip;
}

void PolylineItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *)
{
    if (m_positions.size() < 2)
        return;
    const qreal margin = strokeMargin();
    const QRectF exposed = option->exposedRect.adjusted(-margin, -margin, margin, margin);

    painter->save();
    painter->setPen(m_pen);
    painter->setClipRect(m_clip);
    for (qsizetype i = 1; i < m_positions.size(); ++i) {
        const QPointF &a = m_positions.at(i - 1);
        const QPointF &b = m_positions.at(i);
        if (std::max(a.x(), b.x()) < exposed.left() || std::min(a.x(), b.x()) > exposed.right()
            || std::max(a.y(), b.y()) < exposed.top() || std::min(a.y(), b.y()) > exposed.bottom())
            continue;
        painter->drawLine(a, b);
    }
    painter->restore();
}

QPointF PolylineItem::place(QPointF value) const
{
    // The charting module's own arithmetic, step for step, so that every point lands on the
    // same fraction of a pixel as on its series.
    const qreal xd = m_frame.maxX - m_frame.minX;
    const qreal yd = m_frame.maxY - m_frame.minY;
    if (qFuzzyIsNull(xd) || qFuzzyIsNull(yd))
        return QPointF();
    const QSizeF size = m_frame.plotArea.size();
    const qreal deltaX = size.width() / xd;
    const qreal deltaY = size.height() / yd;
    const qreal x = (value.x() - m_frame.minX) * deltaX;
    const qreal y = (value.y() - m_frame.minY) * deltaY;
    return QPointF(x, size.height() - y);
}

QRectF PolylineItem::segmentsBox(qsizetype first, qsizetype last) const
{
    first = std::max<qsizetype>(first, 0);
    last = std::min(last, m_positions.size() - 1);
    if (first > last)
        return {};
    qreal left = m_positions.at(first).x();
    qreal right = left;
    qreal top = m_positions.at(first).y();
    qreal bottom = top;
    for (qsizetype i = first + 1; i <= last; ++i) {
        const QPointF &p = m_positions.at(i);
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    const qreal margin = strokeMargin();
    return QRectF(QPointF(left, top), QPointF(right, bottom))
        .adjusted(-margin, -margin, margin, margin)
        .intersected(m_clip);
}

qreal PolylineItem::strokeMargin() const
{
    // A segment's square caps reach half the pen width past its ends, diagonally up to 0.71 of
    // the width; antialiasing touches one more pixel.
    return std::max<qreal>(m_pen.widthF(), 1.0) + 1.0;
}

} // namespace toolkit
