// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QObject>
#include <QPointF>
#include <QString>
#include <QTimer>

QT_FORWARD_DECLARE_CLASS(QLineSeries)

namespace toolkit {

class Chart;
class PolylineItem;

/// One line series of a Chart. Points are joined in the order they are kept.
///
/// With XOrder::None the points are kept in the order they are added. With XOrder::Ascending a
/// point goes after every point whose X is lower or equal, so two consecutive points with the
/// same X stay in the order they were added and draw a vertical edge, as on an unordered series.
///
/// Adding a point costs the same however many the series holds: only the new segment is drawn.
/// A repaint of a part of the chart clips the strokes at that part's edges, which shifts the
/// antialiasing of a few pixels by a shade; so once the series has been still for a moment its
/// line is drawn once more, whole, and looks exactly as the charting module draws it.
class LineSeries : public QObject
{
    Q_OBJECT

public:
    enum class XOrder { None, Ascending };

    /// Removes every point.
    void Clear();
    /// Adds the point (@p x, @p y), drawn in the series' own color.
    void AddXY(double x, double y);

    int count() const;
    QPointF point(int index) const;
    QList<QPointF> points() const;

    QString title() const;
    QColor color() const;
    XOrder xOrder() const { return m_order; }

private:
    friend class Chart;
    LineSeries(Chart *chart, QLineSeries *legendEntry, PolylineItem *line, XOrder order);

    // The charting module's series gives the legend entry, the color and the pen; it holds no
    // points, which the line draws instead.
    QLineSeries *m_legendEntry; // owned by the chart
    PolylineItem *m_line; // owned by the chart
    XOrder m_order;
    QTimer m_still;
};

} // namespace toolkit
