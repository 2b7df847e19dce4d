// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/lineseries.h"

#include "toolkit/chart.h"

#include <QLineSeries>

namespace toolkit {

LineSeries::LineSeries(Chart *chart, QLineSeries *series, XOrder order)
    : QObject(chart), m_series(series), m_order(order)
{ }

void LineSeries::Clear()
{
    m_series->clear();
}

void LineSeries::AddXY(double x, double y)
{
    if (m_order == XOrder::Ascending) {
        // Upper bound: equal X goes after the points already there. The points only ever
        // arrive in non-decreasing X in this program, so this is the cheap append in practice.
        int low = 0;
        int high = m_series->count();
        if (high > 0 && m_series->at(high - 1).x() > x) {
            while (low < high) {
                const int mid = (low + high) / 2;
                if (m_series->at(mid).x() <= x)
                    low = mid + 1;
                else
                    high = mid;
            }
            m_series->insert(low, QPointF(x, y));
            return;
        }
    }
    m_series->append(x, y);
}

int LineSeries::count() const
{
    return m_series->count();
}

QPointF LineSeries::point(int index) const
{
    return m_series->at(index);
}

QList<QPointF> LineSeries::points() const
{
    return m_series->points();
}

QString LineSeries::title() const
{
    return m_series->name();
}

QColor LineSeries::colour() const
{
    return m_series->color();
}

} // namespace toolkit
