// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/chartpalette.h"
#include "toolkit/lineseries.h"
#include "toolkit/polylineitem.h"

#include <QColor>
#include <QList>
#include <QWidget>

#include <optional>

QT_FORWARD_DECLARE_CLASS(QChart)
QT_FORWARD_DECLARE_CLASS(QCategoryAxis)

namespace toolkit {

class ChartView;

/// A flat line chart with a title, a legend and fixed axes: the axes never follow the data,
/// only a zoom (a rectangle dragged with the mouse) changes what is seen, and a drag towards
/// the upper left gives the fixed ranges back. Both ends of each axis carry their numbers,
/// whatever is shown and whatever the chart's size.
class Chart : public QWidget
{
    Q_OBJECT

public:
    struct Range
    {
        double min = 0.0;
        double max = 0.0;
        friend bool operator==(const Range &, const Range &) = default;
    };

    explicit Chart(QWidget *parent = nullptr);
    ~Chart() override;

    QString title() const;
    void setTitle(const QString &title);

    QColor backgroundColor() const;
    void setBackgroundColor(const QColor &color);

    /// The palette that series without a color of their own take their colors from.
    SeriesPalette seriesPalette() const { return m_seriesPalette; }
    void setSeriesPalette(SeriesPalette palette);

    /// The ranges the axes show when not zoomed.
    void setFixedRanges(Range bottom, Range left);
    Range fixedBottomRange() const { return m_fixedBottom; }
    Range fixedLeftRange() const { return m_fixedLeft; }
    /// The ranges shown now (the fixed ones unless zoomed).
    Range bottomRange() const;
    Range leftRange() const;

    /// Adds a series, drawn after (over) the ones already there and listed in that order in the
    /// legend. Without @p color it takes the next color of the chart's palette.
    LineSeries *addSeries(const QString &name, const QString &title,
                          std::optional<QColor> color = std::nullopt,
                          LineSeries::XOrder order = LineSeries::XOrder::None);
    QList<LineSeries *> series() const { return m_series; }

    /// Shows @p values (in axis units) as large as it fits; resetZoom() goes back to the fixed
    /// ranges.
    void zoomTo(const QRectF &values);
    void resetZoom();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void showRanges(Range bottom, Range left);
    void zoomToChartRect(const QRectF &chartRect);
    void recolorAutomaticSeries();
    PolylineItem::Frame lineFrame() const;
    // Places the series' lines again after the plot area or the ranges shown changed.
    void placeLines();

    QChart *m_chart;
    ChartView *m_view;
    QCategoryAxis *m_bottom;
    QCategoryAxis *m_left;
    Range m_fixedBottom {0.0, 100.0};
    Range m_fixedLeft {0.0, 10.0};
    SeriesPalette m_seriesPalette = SeriesPalette::Classic;
    QList<LineSeries *> m_series;
    QList<bool> m_automaticColor;
};

} // namespace toolkit
