// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/chart.h"

#include "toolkit/axisticks.h"
#include "toolkit/chartpalette.h"
#include "toolkit/chartview.h"
#include "toolkit/polylineitem.h"

#include <QCategoryAxis>
#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QLegend>
#include <QLineSeries>
#include <QVBoxLayout>

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
    , m_bottom(new QCategoryAxis(m_chart))
    , m_left(new QCategoryAxis(m_chart))
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

    // Marks placed by us, each labelled with its value: the axis's own ticks would leave an
    // end that is no round multiple (14 on -14..14, 7 on 0..7) without its number.
    for (QCategoryAxis *axis : {m_bottom, m_left}) {
        axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
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

QColor Chart::backgroundColor() const
{
    return m_chart->backgroundBrush().color();
}

void Chart::setBackgroundColor(const QColor &color)
{
    m_chart->setBackgroundBrush(color);
    m_chart->setBackgroundPen(Qt::NoPen);
    m_view->setBackgroundBrush(color);
}

void Chart::setSeriesPalette(SeriesPalette palette)
{
    m_seriesPalette = palette;
    recolorAutomaticSeries();
}

namespace {
// Horizontal room between two bottom labels, at the least.
constexpr double kHorizontalLabelSpacing = 36.0;
// What the title and the bottom labels take from a chart's height, and the left labels and
// legend from its width, before the plot area.
constexpr int kAroundPlotHeight = 50;
constexpr int kAroundPlotWidth = 180;
// Qt Charts gives every label of an axis an equal share of the axis's length less this much
// (its padding on both sides and a pixel of rounding), and cuts the text of a label that does
// not fit into its share: an axis may show no more labels than these shares allow.
constexpr double kLabelShareMargin = 9.0;

int labelsThatFit(double length, double labelExtent)
{
    return int(length / (labelExtent + kLabelShareMargin)) - 1;
}

void showRange(QCategoryAxis *axis, double min, double max, double pixels, double spacing,
               int maxLabels)
{
    for (const QString &label : axis->categoriesLabels())
        axis->remove(label);
    axis->setRange(min, max);
    axis->setStartValue(min);
    // Each mark ends a category; the first one, of no width, carries the label of the minimum.
    for (const AxisTick &tick : axisTicks(min, max, pixels, spacing, maxLabels))
        axis->append(tick.label, tick.value);
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

LineSeries *Chart::addSeries(const QString &name, const QString &title, std::optional<QColor> color,
                             LineSeries::XOrder order)
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
    m_automaticColor.append(!color.has_value());

    QPen pen = lines->pen();
    pen.setWidthF(kLineWidth);
    pen.setColor(color.value_or(seriesColor(m_seriesPalette, int(m_series.size()) - 1)));
    lines->setPen(pen);
    return series;
}

void Chart::recolorAutomaticSeries()
{
    for (qsizetype i = 0; i < m_series.size(); ++i) {
        if (!m_automaticColor.at(i))
            continue;
        auto *lines = static_cast<QLineSeries *>(m_chart->series().at(i));
        QPen pen = lines->pen();
        pen.setColor(seriesColor(m_seriesPalette, int(i)));
        lines->setPen(pen);
    }
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
    // A label's box is a line of text, two pixels taller than the font's own height.
    const QFontMetricsF leftFont(m_left->labelsFont());
    const double labelHeight = leftFont.height() + 2.0;
    showRange(m_left, left.min, left.max, height() - kAroundPlotHeight, labelHeight + 4.0,
              labelsThatFit(height(), labelHeight));

    const QFontMetricsF bottomFont(m_bottom->labelsFont());
    double labelWidth = 0.0;
    for (double end : {bottom.min, bottom.max})
        labelWidth =
            std::max(labelWidth, bottomFont.horizontalAdvance(QString::number(end, 'f', 2)));
    const double plotWidth = width() - kAroundPlotWidth;
    showRange(m_bottom, bottom.min, bottom.max, plotWidth,
              std::max(kHorizontalLabelSpacing, labelWidth + kLabelShareMargin),
              labelsThatFit(plotWidth, labelWidth));
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
