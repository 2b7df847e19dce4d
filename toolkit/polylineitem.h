// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGraphicsItem>
#include <QList>
#include <QPen>
#include <QPointF>
#include <QRectF>

namespace toolkit {

/// The line of one chart series, drawn over the plot area the way the charting module draws a
/// line series (one stroke per segment, clipped to the plot area), at a cost that does not grow
/// with the series: adding a point repaints only the new segment, and a repaint draws only the
/// segments that cross the part being repainted.
///
/// The item lies at the plot area's top left corner. Points are kept in axis units and placed
/// again whenever the frame (plot area or axis ranges) changes.
class PolylineItem : public QGraphicsItem
{
public:
    /// What the points are placed in: the plot area in chart coordinates and the axis ranges it
    /// shows.
    struct Frame
    {
        QRectF plotArea;
        double minX = 0.0;
        double maxX = 1.0;
        double minY = 0.0;
        double maxY = 1.0;
    };

    explicit PolylineItem(QGraphicsItem *parent = nullptr);

    void setPen(const QPen &pen);
    void setFrame(const Frame &frame);

    /// Puts @p value (in axis units) at @p index, 0 to count().
    void insert(qsizetype index, QPointF value);
    void append(QPointF value) { insert(m_values.size(), value); }
    void clear();

    qsizetype count() const { return m_values.size(); }
    const QList<QPointF> &values() const { return m_values; }

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget = nullptr) override;

private:
    QPointF place(QPointF value) const;
    // The part of the item that the segments at @p first .. @p last (indices of points) cover.
    QRectF segmentsBox(qsizetype first, qsizetype last) const;
    qreal strokeMargin() const;

    QPen m_pen;
    Frame m_frame;
    QRectF m_clip;
    QList<QPointF> m_values;
    QList<QPointF> m_positions;
};

} // namespace toolkit
