// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the real window, nests three paced loops inside each other's pauses the way traces
// nest, then closes the window from inside the innermost pause. Prints what each loop saw and
// the moment of the close, so that tst_close can time the exit.

#include "app/tform2.h"

#include "toolkit/application.h"
#include "toolkit/stepschedule.h"

#include <QDateTime>
#include <QTimer>

#include <cstdio>

namespace {

void say(const char *text)
{
    std::printf("%s\n", text);
    std::fflush(stdout);
}

// A trace-like loop: many paced steps; @p inside runs once, from within the third pause.
void pacedLoop(const char *name, const std::function<void()> &inside)
{
    toolkit::StepSchedule schedule(Form2->pause().interval());
    for (int step = 0; step < 400; ++step) {
        if (step == 2 && inside)
            QTimer::singleShot(0, Form2, inside);
        schedule.beginStep();
        if (Form2->pause().wait(schedule) == toolkit::LivePause::Result::Stop) {
            std::printf("%s stop %d\n", name, step);
            std::fflush(stdout);
            return;
        }
    }
    std::printf("%s end\n", name);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    const int depth = argc > 1 ? std::atoi(argv[1]) : 3;
    toolkit::Application application(argc, argv);
    const int code = application.execute([&] {
        application.CreateForm(Form2);
        QTimer::singleShot(200, Form2, [depth] {
            std::function<void()> innermost = [] {
                std::printf("close %lld\n", QDateTime::currentMSecsSinceEpoch());
                std::fflush(stdout);
                Form2->close();
            };
            std::function<void()> chain = innermost;
            for (int level = depth; level >= 1; --level) {
                const QByteArray name = "trace" + QByteArray::number(level);
                chain = [name, inner = chain] { pacedLoop(name.constData(), inner); };
            }
            chain();
        });
    });
    say("exit");
    return code;
}
