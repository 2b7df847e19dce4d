// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/chartview.h"

#include <QMouseEvent>

namespace toolkit {

namespace {
// A drag shorter than this is a click, not a zoom.
constexpr qreal kMinimumDrag = 4.0;
} // namespace

ChartView::ChartView(QChart *chart, QWidget *parent)
    : QChartView(chart, parent), m_zoomPen(QColor(0xC0, 0xC0, 0xC0), 1.0, Qt::SolidLine)
{
    setRubberBand(QChartView::NoRubberBand);
    // The chart as a whole is the keyboard stop, not its drawing surface.
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::NoFrame);
    setRenderHint(QPainter::Antialiasing);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
}

void ChartView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QChartView::mousePressEvent(event);
        return;
    }
    m_dragging = true;
    m_origin = m_current = mapToScene(event->position().toPoint());
    event->accept();
}

void ChartView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging) {
        QChartView::mouseMoveEvent(event);
        return;
    }
    m_current = mapToScene(event->position().toPoint());
    viewport()->update();
    event->accept();
}

void ChartView::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_dragging || event->button() != Qt::LeftButton) {
        QChartView::mouseReleaseEvent(event);
        return;
    }
    m_dragging = false;
    m_current = mapToScene(event->position().toPoint());
    viewport()->update();
    event->accept();

    const QPointF delta = m_current - m_origin;
    if (qAbs(delta.x()) < kMinimumDrag && qAbs(delta.y()) < kMinimumDrag)
        return;
    if (delta.x() > 0 && delta.y() > 0)
        Q_EMIT zoomRequested(QRectF(m_origin, m_current).normalized());
    else if (delta.x() < 0 || delta.y() < 0)
        Q_EMIT zoomResetRequested();
}

void ChartView::drawForeground(QPainter *painter, const QRectF &rect)
{
    QChartView::drawForeground(painter, rect);
    if (!m_dragging)
        return;
    painter->save();
    painter->setPen(m_zoomPen);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(QRectF(m_origin, m_current).normalized());
    painter->restore();
}

} // namespace toolkit
