// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/lineseries.h"

#include "toolkit/chart.h"
#include "toolkit/polylineitem.h"

#include <QLineSeries>

#include <algorithm>

namespace toolkit {

namespace {
// Longer than the pause between two points of a trace, so that a running trace is never
// redrawn whole.
constexpr std::chrono::milliseconds kStill {200};
} // namespace

LineSeries::LineSeries(Chart *chart, QLineSeries *legendEntry, PolylineItem *line, XOrder order)
    : QObject(chart), m_legendEntry(legendEntry), m_line(line), m_order(order)
{
    m_line->setPen(legendEntry->pen());
    connect(legendEntry, &QLineSeries::penChanged, this,
            [this](const QPen &pen) { m_line->setPen(pen); });
    m_still.setSingleShot(true);
    m_still.setInterval(kStill);
    connect(&m_still, &QTimer::timeout, this, [this] { m_line->update(); });
}

void LineSeries::Clear()
{
    m_line->clear();
}

void LineSeries::AddXY(double x, double y)
{
    const QList<QPointF> &kept = m_line->values();
    qsizetype at = kept.size();
    // Upper bound: equal X goes after the points already there. The points only ever arrive in
    // non-decreasing X in this program, so this is the plain append in practice.
    if (m_order == XOrder::Ascending && !kept.isEmpty() && kept.constLast().x() > x) {
        at = std::upper_bound(kept.cbegin(), kept.cend(), x,
                              [](double value, const QPointF &p) { return value < p.x(); })
            - kept.cbegin();
    }
    m_line->insert(at, QPointF(x, y));
    m_still.start();
}

int LineSeries::count() const
{
    return int(m_line->count());
}

QPointF LineSeries::point(int index) const
{
    return m_line->values().at(index);
}

QList<QPointF> LineSeries::points() const
{
    return m_line->values();
}

QString LineSeries::title() const
{
    return m_legendEntry->name();
}

QColor LineSeries::color() const
{
    return m_legendEntry->color();
}

} // namespace toolkit
