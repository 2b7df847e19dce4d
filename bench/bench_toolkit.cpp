// SPDX-License-Identifier: GPL-3.0-or-later
// The timings of the live pause and the animations that tests only bound from below: one line
// "<figure> <value>" each, for run-figures.sh.
//   stop-all-ms          stopAll() from inside three nested traces to the outermost return
//   animation-0.3s-ms    a one-shot animation of 0.3 s, enabled to finished
//   zero-loop-cpu-%      a looping animation of period 0 turning for 2 s: CPU of one core
//   zero-loop-writes/s   and the values it writes a second (the animation timer's pace)

#include "toolkit/floatanimation.h"
#include "toolkit/livepause.h"
#include "toolkit/stepschedule.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace {

void runSteps(toolkit::LivePause &pause, int steps)
{
    toolkit::StepSchedule schedule(pause.interval());
    for (int i = 0; i < steps; ++i) {
        pause.beginStep(schedule);
        if (pause.wait(schedule) == toolkit::LivePause::Result::Stop)
            return;
    }
}

double stopAllMs()
{
    toolkit::LivePause pause;
    QElapsedTimer sinceStop;
    QTimer::singleShot(20, [&] {
        QTimer::singleShot(20, [&] {
            QTimer::singleShot(20, [&] {
                sinceStop.start();
                pause.stopAll();
            });
            runSteps(pause, 1000);
        });
        runSteps(pause, 1000);
    });
    runSteps(pause, 1000);
    return sinceStop.nsecsElapsed() / 1e6;
}

double animationMs()
{
    QObject owner;
    toolkit::FloatAnimation animation(&owner, QStringLiteral("x"), [](float) {});
    animation.setStopValue(1);
    animation.setDuration(0.3f);
    QEventLoop loop;
    QObject::connect(&animation, &toolkit::FloatAnimation::finished, &loop, &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    animation.setEnabled(true);
    loop.exec();
    return timer.nsecsElapsed() / 1e6;
}

std::pair<double, double> zeroLoop()
{
    QObject owner;
    int writes = 0;
    toolkit::FloatAnimation animation(&owner, QStringLiteral("x"), [&](float) { ++writes; });
    animation.setStopValue(360);
    animation.setDuration(0.0f);
    animation.setLoop(true);
    const std::clock_t cpu = std::clock();
    QElapsedTimer wall;
    wall.start();
    animation.setEnabled(true);
    QEventLoop loop;
    QTimer::singleShot(2000, &loop, &QEventLoop::quit);
    loop.exec();
    const double seconds = wall.nsecsElapsed() / 1e9;
    return {100.0 * double(std::clock() - cpu) / CLOCKS_PER_SEC / seconds, writes / seconds};
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::printf("stop-all-ms %.2f\n", stopAllMs());
    std::printf("animation-0.3s-ms %.1f\n", animationMs());
    const auto [cpu, writes] = zeroLoop();
    std::printf("zero-loop-cpu-%% %.1f\nzero-loop-writes/s %.1f\n", cpu, writes);
    return 0;
}
