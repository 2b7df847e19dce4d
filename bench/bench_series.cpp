// SPDX-License-Identifier: GPL-3.0-or-later
// The own work of a point step on tab 1: one point appended to each of the two series of a
// chart the size of Chart1, with and without the repaint that the following pause does. The
// series are cleared every 132 points, as a trace would find them.

#include "toolkit/chart.h"
#include "toolkit/lineseries.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

constexpr int kPointsPerTrace = 132;

struct Tab1Chart
{
    Tab1Chart()
    {
        chart.resize(769, 271);
        chart.setFixedRanges({0, 100}, {0, 14});
        average =
            chart.addSeries(QStringLiteral("tensionmoyenne"), QStringLiteral("Tension moyenne"));
        command = chart.addSeries(QStringLiteral("signalrco"), QStringLiteral("Alimentation"));
        chart.show();
        QCoreApplication::processEvents();
    }

    void step(int i)
    {
        const int x = i % kPointsPerTrace;
        if (x == 0) {
            average->Clear();
            command->Clear();
        }
        average->AddXY(x, 6.0);
        command->AddXY(x, (x % 20) <= 10 ? 12.0 : 0.0);
    }

    toolkit::Chart chart;
    toolkit::LineSeries *average;
    toolkit::LineSeries *command;
};

void append(benchmark::State &state)
{
    Tab1Chart tab;
    int i = 0;
    for (auto _ : state)
        tab.step(i++);
}
BENCHMARK(append);

void appendAndRepaint(benchmark::State &state)
{
    Tab1Chart tab;
    int i = 0;
    for (auto _ : state) {
        tab.step(i++);
        // The scene takes the new points on its next event pass; then the view is painted.
        QCoreApplication::processEvents();
        tab.chart.repaint();
    }
}
BENCHMARK(appendAndRepaint)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
