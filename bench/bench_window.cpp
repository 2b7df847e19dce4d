// SPDX-License-Identifier: GPL-3.0-or-later
// The whole window, started as the program starts it, for the figures that need a process of
// their own. Needs an X display with OpenGL.
//
//   bench_window first-frame     prints "first-frame <epoch ms>" when the 3D view has drawn
//                                its first frame, then "peak-rss <kB>", and exits
//   bench_window idle SECONDS    prints "ready <epoch ms>" once the window has settled, then
//                                stays still (no trace, no animation) for SECONDS and exits

#include "startupclock.h"

#include "app/tform2.h"

#include "scene/sceneview.h"

#include "toolkit/application.h"

#include <QQuickView>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

// Time for the first frames and the window manager's work to be over before staying still.
constexpr int kSettleMs = 1500;

} // namespace

int main(int argc, char *argv[])
{
    const bool idle = argc > 1 && std::strcmp(argv[1], "idle") == 0;
    const int idleSeconds = idle && argc > 2 ? std::atoi(argv[2]) : 5;

    toolkit::Application application(argc, argv);
    return application.execute([&] {
        application.CreateForm(Form2);
        if (idle) {
            QTimer::singleShot(kSettleMs, Form2, [idleSeconds] {
                printMoment("ready");
                QTimer::singleShot(idleSeconds * 1000, Form2, [] { Form2->close(); });
            });
            return;
        }
        QQuickView *view = Form2->sceneView()->quickView();
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
