// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QObject>
#include <QPointF>
#include <QString>

QT_FORWARD_DECLARE_CLASS(QLineSeries)

namespace toolkit {

class Chart;

/// One line series of a Chart. Points are joined in the order they are kept.
///
/// With XOrder::None the points are kept in the order they are added. With XOrder::Ascending a
/// point goes after every point whose X is lower or equal, so two consecutive points with the
/// same X stay in the order they were added and draw a vertical edge, as on an unordered series.
class LineSeries : public QObject
{
    Q_OBJECT

public:
    enum class XOrder { None, Ascending };

    /// Removes every point.
    void Clear();
    /// Adds the point (@p x, @p y), drawn in the series' own colour.
    void AddXY(double x, double y);

    int count() const;
    QPointF point(int index) const;
    QList<QPointF> points() const;

    QString title() const;
    QColor colour() const;
    XOrder xOrder() const { return m_order; }

private:
    friend class Chart;
    LineSeries(Chart *chart, QLineSeries *series, XOrder order);

    QLineSeries *m_series; // owned by the chart
    XOrder m_order;
};

} // namespace toolkit
