// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChartView>
#include <QPen>

namespace toolkit {

/// The chart's drawing surface. A drag towards the lower right zooms on the dragged rectangle;
/// a drag towards the upper left gives the chart back its fixed ranges. The rectangle is drawn
/// while dragging with the zoom pen and no fill.
class ChartView : public QChartView
{
    Q_OBJECT

public:
    explicit ChartView(QChart *chart, QWidget *parent = nullptr);

Q_SIGNALS:
    /// A drag towards the lower right: @p chartRect is the dragged rectangle, in chart
    /// coordinates.
    void zoomRequested(const QRectF &chartRect);
    /// A drag towards the upper left.
    void zoomResetRequested();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void drawForeground(QPainter *painter, const QRectF &rect) override;

private:
    QPen m_zoomPen;
    QPointF m_origin;
    QPointF m_current;
    bool m_dragging = false;
};

} // namespace toolkit
