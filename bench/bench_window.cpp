// SPDX-License-Identifier: GPL-3.0-or-later
// The whole window, started as the program starts it, for the figures that need a process of
// their own. Needs an X display with OpenGL.
//
//   bench_window first-frame     prints "first-frame <epoch ms>" when the 3D view has drawn
//                                its first frame, then "peak-rss <kB>", and exits
//   bench_window idle SECONDS [full|max|WxH]
//                                prints "ready <epoch ms>" once the window has settled, then
//                                stays still (no trace, no animation) for SECONDS and exits;
//                                full screen, maximised or at that size when asked
//   bench_window held SECONDS    launches tab 1's trace at 50 % (the shaft spinning), holds the
//                                lesson in its tenth step as a teacher does, prints
//                                "ready <epoch ms>" once the window has settled, stays held
//                                for SECONDS and exits
//   bench_window refine          once the window has settled, turns the stepper's rotor a
//                                quarter turn (one step of a trace, the stepper in view) and
//                                prints "refine <frames> <ms>": the frames drawn after it and
//                                the time from the change to the last of them

#include "startupclock.h"
#include "windowstate.h"

#include "app/tform2.h"

#include "scene/object3d.h"
#include "scene/sceneview.h"

#include "toolkit/application.h"
#include "toolkit/livepause.h"
#include "toolkit/trackbar.h"

#include <QPushButton>
#include <QQuickView>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// Time for the first frames and the window manager's work to be over before staying still.
constexpr int kSettleMs = 1500;
// Long enough for any refinement of a still picture to be over.
constexpr int kRefineWatchMs = 3000;

} // namespace

int main(int argc, char *argv[])
{
    const bool held = argc > 1 && std::strcmp(argv[1], "held") == 0;
    const bool idle = held || (argc > 1 && std::strcmp(argv[1], "idle") == 0);
    const bool refine = argc > 1 && std::strcmp(argv[1], "refine") == 0;
    const int idleSeconds = idle && argc > 2 ? std::atoi(argv[2]) : 5;
    const QByteArray window = idle && argc > 3 ? argv[3] : "";

    toolkit::Application application(argc, argv);
    return application.execute([&] {
        application.CreateForm(Form2);
        if (held) {
            Form2->valeurmoteur->setValue(50);
            auto steps = std::make_shared<int>(0);
            QObject::connect(&Form2->pause(), &toolkit::LivePause::stepPaused, Form2, [steps] {
                if (++*steps == 10)
                    Form2->lesson().setPaused(true);
            });
            QTimer::singleShot(0, Form2->Button1, &QPushButton::click);
        }
        if (idle) {
            applyWindowState(Form2, window);
            QTimer::singleShot(kSettleMs, Form2, [idleSeconds] {
                printMoment("ready");
                QTimer::singleShot(idleSeconds * 1000, Form2, [] { Form2->close(); });
            });
            return;
        }
        QQuickView *view = Form2->sceneView()->quickView();
        if (refine) {
            Form2->moteurpasapas->setPositionX(0);
            Form2->moteurcc->setPositionX(-20);
            QTimer::singleShot(kSettleMs, Form2, [view] {
                auto frames = std::make_shared<int>(0);
                auto last = std::make_shared<double>(0.0);
                const double change = wallClockMs();
                QObject::connect(view, &QQuickWindow::frameSwapped, Form2, [frames, last] {
                    ++*frames;
                    *last = wallClockMs();
                });
                Form2->rotor1->setRotationAngleY(-90.0f);
                QTimer::singleShot(kRefineWatchMs, Form2, [frames, last, change] {
                    std::printf("refine %d %.1f\n", *frames, *frames ? *last - change : 0.0);
                    std::fflush(stdout);
                    Form2->close();
                });
            });
            return;
        }
        QObject::connect(
            view, &QQuickWindow::frameSwapped, Form2,
            [] {
                printMoment("first-frame");
                std::printf("peak-rss %ld\n", peakResidentKb());
                std::fflush(stdout);
                Form2->close();
            },
            Qt::SingleShotConnection);
    });
}
