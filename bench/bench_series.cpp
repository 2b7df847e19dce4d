// SPDX-License-Identifier: GPL-3.0-or-later
// The own work of a point step on tab 1: one point appended to each of the two series of a
// chart the size of Chart1, alone and with the repaint that the following pause does. The
// series are cleared every 132 points (a trace of tab 1) or every 1,101 points (the longest
// trace, tab 3 at 99 %), as a new trace finds them: the cost of a step must not grow with the
// points already on the chart.

#include "toolkit/chart.h"
#include "toolkit/lineseries.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

struct Tab1Chart
{
    explicit Tab1Chart(int pointsPerTrace) : pointsPerTrace(pointsPerTrace)
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
        const int n = i % pointsPerTrace;
        if (n == 0) {
            average->Clear();
            command->Clear();
        }
        // The whole trace spans the bottom axis, however many points it has.
        const double x = n * 100.0 / pointsPerTrace;
        average->AddXY(x, 6.0);
        command->AddXY(x, (n % 20) <= 10 ? 12.0 : 0.0);
    }

    const int pointsPerTrace;
    toolkit::Chart chart;
    toolkit::LineSeries *average;
    toolkit::LineSeries *command;
};

void append(benchmark::State &state)
{
    Tab1Chart tab(int(state.range(0)));
    int i = 0;
    for (auto _ : state)
        tab.step(i++);
}
BENCHMARK(append)->Arg(132)->Arg(1101);

void appendAndRepaint(benchmark::State &state)
{
    Tab1Chart tab(int(state.range(0)));
    int i = 0;
    for (auto _ : state) {
        tab.step(i++);
        // As in the pause: the scene takes the new points on one event pass, the chart paints
        // what they changed on the next.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(appendAndRepaint)->Arg(132)->Arg(1101)->Unit(benchmark::kMicrosecond);

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
