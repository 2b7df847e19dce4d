// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/layout/charts.h"

#include "ui_form2.h"

#include "toolkit/chart.h"

#include <QCoreApplication>

namespace {

// The charts' titles and legends, translatable as the form description's own texts are.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Form2Layout)
};

using toolkit::Chart;
using toolkit::LineSeries;
using Order = LineSeries::XOrder;
using toolkit::SeriesPalette;

const QColor kAqua(0x00, 0xFF, 0xFF);
const QColor kYellow(0xFF, 0xFF, 0x00);
const QColor kGreen(0x00, 0x80, 0x00);
const QColor kBlue(0x00, 0x00, 0xFF);

void describe(Chart *chart, const QString &title, Chart::Range bottom, Chart::Range left,
              SeriesPalette palette = SeriesPalette::Classic)
{
    chart->setTitle(title);
    chart->setBackgroundColor(kAqua);
    chart->setSeriesPalette(palette);
    chart->setFixedRanges(bottom, left);
}

} // namespace

Form2Series layoutCharts(const Ui::Form2Layout &f)
{
    Form2Series s;
    const QString rco1 = Texts::tr("Signal RCO Tr1");

    describe(f.Chart1, Texts::tr("Commande transistor"), {0, 100}, {0, 14});
    s.signalrco =
        f.Chart1->addSeries(QStringLiteral("signalrco"), Texts::tr("Alimentation transistor"));
    s.tensionmoyenne =
        f.Chart1->addSeries(QStringLiteral("tensionmoyenne"), Texts::tr("Tension moyenne"));

    describe(f.Chart2, Texts::tr("Commande transistors"), {0, 100}, {-14, 14});
    s.tensionmoyenne1 =
        f.Chart2->addSeries(QStringLiteral("tensionmoyenne1"), Texts::tr("Tension moyenne"));
    s.signalrco1 = f.Chart2->addSeries(QStringLiteral("signalrco1"), rco1);
    s.signalrco2 = f.Chart2->addSeries(QStringLiteral("signalrco2"), Texts::tr("Signal RCO Tr2"),
                                       kBlue, Order::Ascending);
    s.Series2 = f.Chart2->addSeries(QStringLiteral("Series2"), Texts::tr("Signal RCO Tr3"), kGreen,
                                    Order::Ascending);
    s.Series3 = f.Chart2->addSeries(QStringLiteral("Series3"), Texts::tr("Signal RCO Tr4"), kBlue,
                                    Order::Ascending);

    describe(f.Chart3, Texts::tr("bobine1"), {0, 100}, {0, 7}, SeriesPalette::Modern);
    s.tr1 = f.Chart3->addSeries(QStringLiteral("tr1"), rco1, kYellow);
    describe(f.Chart4, Texts::tr("bobine2"), {0, 100}, {0, 7});
    s.tr2 = f.Chart4->addSeries(QStringLiteral("tr2"), Texts::tr("Signal RCO Tr2"));
    describe(f.Chart5, Texts::tr("bobine3"), {0, 100}, {0, 7});
    s.tr3 = f.Chart5->addSeries(QStringLiteral("tr3"), Texts::tr("Signal RCO Tr3"), kGreen);
    describe(f.Chart6, Texts::tr("bobine4"), {0, 100}, {0, 7});
    s.tr4 = f.Chart6->addSeries(QStringLiteral("tr4"), Texts::tr("Signal RCO Tr4"), kBlue);

    describe(f.Chart7, Texts::tr("bobine1"), {0, 100}, {-6, 6}, SeriesPalette::Modern);
    // The bipolar series plot the voltage across each winding, not a transistor's command.
    s.tr11 = f.Chart7->addSeries(QStringLiteral("tr11"), Texts::tr("Tension bobine A-B"), kYellow);
    describe(f.Chart8, Texts::tr("bobine2"), {0, 100}, {-6, 6});
    s.tr12 = f.Chart8->addSeries(QStringLiteral("tr12"), Texts::tr("Tension bobine C-D"));
    return s;
}
