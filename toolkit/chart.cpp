// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/chart.h"

#include "toolkit/chartpalette.h"
#include "toolkit/chartview.h"
#include "toolkit/polylineitem.h"

#include <QChart>
#include <QGraphicsLayout>
#include <QLegend>
#include <QLineSeries>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace toolkit {

namespace {
constexpr qreal kLineWidth = 2.0;
}

Chart::Chart(QWidget *parent)
    : QWidget(parent)
    , m_chart(new QChart)
    , m_view(new ChartView(m_chart, this))
    , m_bottom(new QValueAxis(m_chart))
    , m_left(new QValueAxis(m_chart))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    setFocusPolicy(Qt::StrongFocus);

    m_chart->setAnimationOptions(QChart::NoAnimation);
    m_chart->setBackgroundRoundness(0);
    m_chart->setMargins(QMargins(2, 0, 2, 0));
    m_chart->layout()->setContentsMargins(0, 0, 0, 0);
    m_chart->setDropShadowEnabled(false);
    QFont titleFont = m_chart->titleFont();
    titleFont.setBold(true);
    m_chart->setTitleFont(titleFont);

    m_chart->legend()->setVisible(true);
    m_chart->legend()->setAlignment(Qt::AlignRight);

    for (QValueAxis *axis : {m_bottom, m_left}) {
        axis->setTickType(QValueAxis::TicksDynamic);
        axis->setLabelFormat(QStringLiteral("%g"));
        axis->setGridLineColor(QColor(0x80, 0x80, 0x80, 0x60));
    }
    m_chart->addAxis(m_bottom, Qt::AlignBottom);
    m_chart->addAxis(m_left, Qt::AlignLeft);
    setFixedRanges(m_fixedBottom, m_fixedLeft);

    connect(m_view, &ChartView::zoomRequested, this, &Chart::zoomToChartRect);
    connect(m_view, &ChartView::zoomResetRequested, this, &Chart::resetZoom);
    connect(m_chart, &QChart::plotAreaChanged, this, &Chart::placeLines);
    connect(m_bottom, &QValueAxis::rangeChanged, this, &Chart::placeLines);
    connect(m_left, &QValueAxis::rangeChanged, this, &Chart::placeLines);
}

Chart::~Chart()
{
    // The chart and its axes go with the widget's children, once our members are gone: nothing
    // they signal on their way out may reach us.
    disconnect(m_chart, nullptr, this, nullptr);
    disconnect(m_bottom, nullptr, this, nullptr);
    disconnect(m_left, nullptr, this, nullptr);
}

QString Chart::title() const
{
    return m_chart->title();
}

void Chart::setTitle(const QString &title)
{
    m_chart->setTitle(title);
    setAccessibleName(title);
}

QColor Chart::backgroundColour() const
{
    return m_chart->backgroundBrush().color();
}

void Chart::setBackgroundColour(const QColor &colour)
{
    m_chart->setBackgroundBrush(colour);
    m_chart->setBackgroundPen(Qt::NoPen);
    m_view->setBackgroundBrush(colour);
}

void Chart::setPaletteIndex(int index)
{
    m_paletteIndex = index;
    recolourAutomaticSeries();
}

namespace {
// Labels closer than this (pixels between two ticks) would be cut short by the chart.
constexpr double kVerticalLabelSpacing = 16.0;
constexpr double kHorizontalLabelSpacing = 36.0;
// What the title and the bottom labels take from a chart's height, and the left labels and
// legend from its width, before the plot area.
constexpr int kAroundPlotHeight = 50;
constexpr int kAroundPlotWidth = 180;

// A round step (1, 2 or 5 times a power of ten) giving at most about @p ticks ticks: 10 on
// 0..100, 2 on 0..14 or -6..6, 1 or 2 on 0..7 depending on the room.
double tickStep(double span, double ticks)
{
    const double rough = span / std::clamp(ticks, 2.0, 10.0);
    const double decade = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 5.0}) {
        if (factor * decade >= rough * 0.999)
            return factor * decade;
    }
    return 10.0 * decade;
}

void showRange(QValueAxis *axis, double min, double max, double pixels, double spacing)
{
    axis->setRange(min, max);
    axis->setTickAnchor(0.0);
    axis->setTickInterval(tickStep(max - min, pixels / spacing));
}
} // namespace

void Chart::setFixedRanges(Range bottom, Range left)
{
    m_fixedBottom = bottom;
    m_fixedLeft = left;
    resetZoom();
}

Chart::Range Chart::bottomRange() const
{
    return {m_bottom->min(), m_bottom->max()};
}

Chart::Range Chart::leftRange() const
{
    return {m_left->min(), m_left->max()};
}

LineSeries *Chart::addSeries(const QString &name, const QString &title,
                             std::optional<QColor> colour, LineSeries::XOrder order)
{
    auto *lines = new QLineSeries(m_chart);
    lines->setName(title);
    m_chart->addSeries(lines);
    lines->attachAxis(m_bottom);
    lines->attachAxis(m_left);

    auto *line = new PolylineItem(m_chart);
    line->setFrame(lineFrame());
    auto *series = new LineSeries(this, lines, line, order);
    series->setObjectName(name);
    m_series.append(series);
    m_automaticColour.append(!colour.has_value());

    QPen pen = lines->pen();
    pen.setWidthF(kLineWidth);
    pen.setColor(colour.value_or(paletteColour(m_paletteIndex, int(m_series.size()) - 1)));
    lines->setPen(pen);
    return series;
}

void Chart::recolourAutomaticSeries()
{
    for (qsizetype i = 0; i < m_series.size(); ++i) {
        if (!m_automaticColour.at(i))
            continue;
        auto *lines = static_cast<QLineSeries *>(m_chart->series().at(i));
        QPen pen = lines->pen();
        pen.setColor(paletteColour(m_paletteIndex, int(i)));
        lines->setPen(pen);
    }
}

bool Chart::legendVisible() const
{
    return m_chart->legend()->isVisible();
}

QPen Chart::zoomPen() const
{
    return m_view->zoomPen();
}

void Chart::zoomTo(const QRectF &values)
{
    const QRectF r = values.normalized();
    if (r.isEmpty())
        return;
    showRanges({r.left(), r.right()}, {r.top(), r.bottom()});
}

void Chart::resetZoom()
{
    showRanges(m_fixedBottom, m_fixedLeft);
}

void Chart::showRanges(Range bottom, Range left)
{
    showRange(m_bottom, bottom.min, bottom.max, width() - kAroundPlotWidth,
              kHorizontalLabelSpacing);
    showRange(m_left, left.min, left.max, height() - kAroundPlotHeight, kVerticalLabelSpacing);
}

void Chart::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The room for labels changed: space the ticks again over what is shown now.
    showRanges(bottomRange(), leftRange());
}

PolylineItem::Frame Chart::lineFrame() const
{
    return {m_chart->plotArea(), m_bottom->min(), m_bottom->max(), m_left->min(), m_left->max()};
}

void Chart::placeLines()
{
    const PolylineItem::Frame frame = lineFrame();
    for (LineSeries *series : std::as_const(m_series))
        series->m_line->setFrame(frame);
}

void Chart::zoomToChartRect(const QRectF &chartRect)
{
    const QRectF plot = m_chart->plotArea();
    const QRectF inside = chartRect.intersected(plot);
    if (inside.isEmpty() || m_series.isEmpty())
        return;
    auto *anySeries = m_chart->series().constFirst();
    const QPointF a = m_chart->mapToValue(inside.topLeft(), anySeries);
    const QPointF b = m_chart->mapToValue(inside.bottomRight(), anySeries);
    zoomTo(QRectF(a, b));
}

} // namespace toolkit
