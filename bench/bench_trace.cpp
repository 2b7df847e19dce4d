// SPDX-License-Identifier: GPL-3.0-or-later
// A whole trace in the real window, at the real 50 ms pace, with the 3D view live: by default
// tab 1 with the shaft spinning (50 %), 132 steps or 6.6 s; tab 3 at 90 % turns the rotor for
// 208 steps (10.4 s), at 99 % for 1,101 steps (55 s). How close the trace keeps to its
// steps × 50 ms, what a point step costs outside its pause (and whether that grows with the
// points already on the charts), and how smoothly the 3D view runs meanwhile. With --panel the
// tab is shown with its circuit picture slid in, lit at every point. --window full fills the
// screen, --window max maximises the window (both need a window manager), --window WxH gives it
// that size. --pace quarter or tenth slows the lesson (200 or 500 ms a point). Needs an X display
// with OpenGL.
//
//   bench_trace [--runs N] [--tab 1|3] [--percent P] [--panel] [--window full|max|WxH]
//               [--pace normal|quarter|tenth]

#include "startupclock.h"
#include "tracefigures.h"
#include "windowstate.h"

#include "app/tform2.h"

#include "scene/sceneview.h"

#include "toolkit/application.h"
#include "toolkit/livepause.h"
#include "toolkit/trackbar.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <optional>

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kPaceSeconds = 0.050;
// Time for the window and its first 3D frames to settle before measuring.
constexpr int kSettleMs = 1500;
// A circuit picture slides in over 1 s.
constexpr int kSlideMs = 1300;
constexpr int kBetweenRunsMs = 500;

double milliseconds(std::chrono::nanoseconds d)
{
    return double(d.count()) / 1e6;
}

double cpuMs(clockid_t clock)
{
    timespec t {};
    clock_gettime(clock, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

void idle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

TraceFigures runTrace(int tab, double percent)
{
    TForm2 &f = *Form2;
    toolkit::TrackBar *bar = tab == 3 ? f.valeurmoteur3 : f.valeurmoteur;
    QPushButton *button = tab == 3 ? f.Button7 : f.Button1;
    // Moving the track bar stops the shaft; the launch starts it again.
    bar->setValue(percent == 0.0 ? 10.0 : 0.0);
    bar->setValue(percent);

    TraceFigures figures;
    double lastGuiMs = 0.0;
    std::optional<Clock::time_point> lastStart;
    const auto probe =
        QObject::connect(&f.pause(), &toolkit::LivePause::stepPaused, &f,
                         [&](Clock::time_point start, std::chrono::nanoseconds cost) {
                             figures.stepCostMs.push_back(milliseconds(cost));
                             if (lastStart)
                                 figures.stepPeriodMs.push_back(milliseconds(start - *lastStart));
                             lastStart = start;
                             const double gui = cpuMs(CLOCK_THREAD_CPUTIME_ID);
                             if (lastGuiMs > 0.0)
                                 figures.guiThreadMs.push_back(gui - lastGuiMs);
                             lastGuiMs = gui;
                         });

    const quint64 frames = f.sceneView()->frameCount();
    const double processMs = cpuMs(CLOCK_PROCESS_CPUTIME_ID);
    QElapsedTimer wall;
    wall.start();
    button->click();
    figures.wallSeconds = double(wall.nsecsElapsed()) / 1e9;
    figures.processCpuPercent =
        (cpuMs(CLOCK_PROCESS_CPUTIME_ID) - processMs) / (figures.wallSeconds * 1e3) * 100.0;
    figures.framesPerSecond = double(f.sceneView()->frameCount() - frames) / figures.wallSeconds;
    QObject::disconnect(probe);
    return figures;
}

// Lesson seconds per wall second.
double g_rate = 1.0;

double pacedRatio(const TraceFigures &t)
{
    return t.wallSeconds / (double(t.stepCostMs.size()) * kPaceSeconds / g_rate);
}

// The median cost of the first and of the last @p n steps: whether a step costs more once the
// charts hold more points, the steps' own work alike.
std::pair<double, double> endsCost(const TraceFigures &t, std::size_t n)
{
    const std::size_t count = std::min(n, t.stepCostMs.size());
    const auto first = t.stepCostMs.begin();
    return {percentile({first, first + long(count)}, 0.5),
            percentile({t.stepCostMs.end() - long(count), t.stepCostMs.end()}, 0.5)};
}

void report(int run, const TraceFigures &t)
{
    const auto [firstCost, lastCost] = endsCost(t, 132);
    std::printf("run %d: %zu steps in %.3f s, ratio %.4f; step period median %.3f ms, p99 %.3f ms; "
                "step cost median %.3f ms, p99 %.3f ms, max %.3f ms; first 132 %.3f ms, last 132 "
                "%.3f ms; GUI thread %.2f ms/step (p99 %.2f); 3D %.1f fps; process CPU %.0f %% of "
                "one core\n",
                run, t.stepCostMs.size(), t.wallSeconds, pacedRatio(t),
                percentile(t.stepPeriodMs, 0.5), percentile(t.stepPeriodMs, 0.99),
                percentile(t.stepCostMs, 0.5), percentile(t.stepCostMs, 0.99),
                percentile(t.stepCostMs, 1.0), firstCost, lastCost, percentile(t.guiThreadMs, 0.5),
                percentile(t.guiThreadMs, 0.99), t.framesPerSecond, t.processCpuPercent);
    std::fflush(stdout);
}

// Shows the tab as a click on its header does, and slides its circuit picture in.
void openPanel(int tab)
{
    TForm2 &f = *Form2;
    f.TabControl1->setCurrentIndex(tab - 1);
    using Handler = void (TForm2::*)(QObject *);
    constexpr Handler kTabClicked[] = {&TForm2::TabItem1Click, &TForm2::TabItem2Click,
                                       &TForm2::TabItem3Click, &TForm2::TabItem4Click};
    (f.*kTabClicked[tab - 1])(f.TabControl1->widget(tab - 1));
    (tab == 3 ? f.Button9 : f.Button6)->click();
    idle(kSlideMs);
}

const char *verdict(bool met)
{
    return met ? "met" : "MISSED";
}

} // namespace

int main(int argc, char *argv[])
{
    int runs = 3;
    int tab = 1;
    double percent = 50.0;
    bool panel = false;
    QByteArray window;
    QByteArray pace = "normal";
    for (int i = 1; i < argc; ++i) {
        const QByteArray option(argv[i]);
        if (option == "--panel") {
            panel = true;
            continue;
        }
        if (i + 1 >= argc)
            break;
        if (option == "--runs")
            runs = std::max(1, std::atoi(argv[i + 1]));
        else if (option == "--tab")
            tab = std::atoi(argv[i + 1]) == 3 ? 3 : 1;
        else if (option == "--percent")
            percent = std::atof(argv[i + 1]);
        else if (option == "--window")
            window = argv[i + 1];
        else if (option == "--pace")
            pace = argv[i + 1];
        ++i;
    }

    toolkit::Application application(argc, argv);
    std::vector<TraceFigures> results;
    const int code = application.execute([&] {
        application.CreateForm(Form2);
        applyWindowState(Form2, window);
        using Pace = toolkit::LessonClock::Pace;
        const Pace lessonPace = pace == "quarter" ? Pace::Quarter
            : pace == "tenth"                     ? Pace::Tenth
                                                  : Pace::Normal;
        Form2->lesson().setPace(lessonPace);
        g_rate = toolkit::LessonClock::rateOf(lessonPace);
        QTimer::singleShot(kSettleMs, Form2, [&] {
            std::printf("bench_trace: tab %d at %g %%%s, point steps of %g ms, %d runs\n", tab,
                        percent, panel ? ", circuit picture in" : "", 50.0 / g_rate, runs);
            if (panel)
                openPanel(tab);
            for (int run = 1; run <= runs; ++run) {
                results.push_back(runTrace(tab, percent));
                report(run, results.back());
                idle(kBetweenRunsMs);
            }
            Form2->close();
        });
    });
    if (results.empty())
        return 1;

    std::vector<double> ratio, costMedian, costP99, fps;
    for (const TraceFigures &t : results) {
        ratio.push_back(pacedRatio(t));
        costMedian.push_back(percentile(t.stepCostMs, 0.5));
        costP99.push_back(percentile(t.stepCostMs, 0.99));
        fps.push_back(t.framesPerSecond);
    }
    std::printf("median of %d runs:\n", runs);
    std::printf("  wall time / %.1f s       %.4f   (target <= 1.005: %s)\n",
                double(results.front().stepCostMs.size()) * kPaceSeconds / g_rate, median(ratio),
                verdict(median(ratio) <= 1.005));
    std::printf("  step cost median         %.3f ms (target <= 1 ms: %s)\n", median(costMedian),
                verdict(median(costMedian) <= 1.0));
    std::printf("  step cost p99            %.3f ms (target <= 4 ms: %s)\n", median(costP99),
                verdict(median(costP99) <= 4.0));
    std::printf("  3D frames per second     %.1f    (target >= 50: %s)\n", median(fps),
                verdict(median(fps) >= 50.0));
    std::printf("  peak resident memory     %.1f MB\n", double(peakResidentKb()) / 1024.0);
    return code;
}
