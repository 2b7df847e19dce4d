// SPDX-License-Identifier: GPL-3.0-or-later
// Developer tool: starts the window as the program does, applies a few settings given on the
// command line, waits, and saves what the screen shows of the window (3D view included).
//
//   screenshot OUT.png [--tab N] [--stepper] [--click-after MS] [--click NAME]...
//                      [--value NAME=V]... [--wait MS] [--at-step N]
//                      [--size WxH | --maximised | --full-screen] [--whole-screen]
//                      [--hold [--steps K]] [--pace quarter|tenth]
//
// --tab selects a tab as a click on its header does (its handler runs), --stepper puts the stepper
// motor in view (X 0) and the DC motor aside (X -20), --click clicks a button by its name
// (--click-after MS after the window shows, default 300, for the clicks that follow it), --value
// sets a track bar, --wait waits before the capture (default 1500 ms), --at-step captures in the
// pause of the Nth point step of the traces started (counted from 1, nested ones included), and
// --wait then counts from the step's start. --size, --maximised and --full-screen give the window
// that size or state (a window manager must run for the last two), --whole-screen captures the
// screen (message boxes included). --hold holds the lesson in the pause of step --at-step, as a
// teacher's P does, and --steps then moves it on K steps (S), one every 200 ms, before the wait;
// --pace slows the lesson as R does. Needs an X display (Xvfb will do).

#include "app/tform2.h"

#include "scene/object3d.h"

#include "toolkit/application.h"
#include "toolkit/lessoncontrols.h"
#include "toolkit/livepause.h"
#include "toolkit/tabcontrol.h"
#include "toolkit/trackbar.h"

#include <QAbstractButton>
#include <QMouseEvent>
#include <QScreen>
#include <QTabBar>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    toolkit::Application application(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr,
                     "usage: screenshot OUT.png [--tab N] [--stepper] [--click-after MS] "
                     "[--click NAME] [--value NAME=V] [--wait MS] [--at-step N]\n");
        return 2;
    }
    return application.execute([&] {
        application.CreateForm(Form2);
        Form2->show();
        int wait = 1500;
        int clickAfter = 300;
        int atStep = 0;
        int heldSteps = -1;
        bool wholeScreen = false;
        for (int i = 1; i < args.size(); ++i) {
            const QString &a = args.at(i);
            const QString next = i + 1 < args.size() ? args.at(i + 1) : QString();
            if (a == QLatin1String("--tab")) {
                // A click on the tab's header: the page shows and the tab's handler runs.
                QTabBar *bar = Form2->TabControl1->tabBar();
                const QPoint at = bar->tabRect(next.toInt() - 1).center();
                for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
                    QMouseEvent click(type, at, bar->mapToGlobal(at), Qt::LeftButton,
                                      type == QEvent::MouseButtonPress ? Qt::LeftButton
                                                                       : Qt::NoButton,
                                      Qt::NoModifier);
                    QCoreApplication::sendEvent(bar, &click);
                }
                ++i;
            } else if (a == QLatin1String("--stepper")) {
                Form2->moteurpasapas->setPositionX(0);
                Form2->moteurcc->setPositionX(-20);
            } else if (a == QLatin1String("--click-after")) {
                clickAfter = next.toInt();
                ++i;
            } else if (a == QLatin1String("--click")) {
                QTimer::singleShot(clickAfter, Form2, [next] {
                    if (auto *b = Form2->Layer3D1->findChild<QAbstractButton *>(next))
                        b->click();
                });
                ++i;
            } else if (a == QLatin1String("--value")) {
                const QStringList kv = next.split(u'=');
                if (auto *bar = Form2->Layer3D1->findChild<toolkit::TrackBar *>(kv.value(0)))
                    bar->setValue(kv.value(1).toDouble());
                ++i;
            } else if (a == QLatin1String("--wait")) {
                wait = next.toInt();
                ++i;
            } else if (a == QLatin1String("--size")) {
                const QStringList wh = next.split(u'x');
                Form2->resize(wh.value(0).toInt(), wh.value(1).toInt());
                ++i;
            } else if (a == QLatin1String("--maximised")) {
                Form2->setWindowState(Qt::WindowMaximized);
            } else if (a == QLatin1String("--full-screen")) {
                Form2->setWindowState(Qt::WindowFullScreen);
            } else if (a == QLatin1String("--whole-screen")) {
                wholeScreen = true;
            } else if (a == QLatin1String("--hold")) {
                heldSteps = std::max(heldSteps, 0);
            } else if (a == QLatin1String("--steps")) {
                heldSteps = next.toInt();
                ++i;
            } else if (a == QLatin1String("--pace")) {
                Form2->lesson().setPace(next == QLatin1String("tenth")
                                            ? toolkit::LessonClock::Pace::Tenth
                                            : toolkit::LessonClock::Pace::Quarter);
                ++i;
            } else if (a == QLatin1String("--at-step")) {
                atStep = next.toInt();
                ++i;
            }
        }
        const auto capture = [out = args.first(), wholeScreen] {
            QScreen *screen = Form2->windowHandle()->screen();
            const QPixmap shot = screen->grabWindow(wholeScreen ? 0 : Form2->winId());
            if (!shot.save(out))
                std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
            Form2->close();
        };
        if (atStep <= 0) {
            QTimer::singleShot(wait, Form2, capture);
            return;
        }
        auto steps = std::make_shared<int>(0);
        QObject::connect(
            &Form2->pause(), &toolkit::LivePause::stepPaused, Form2,
            [steps, atStep, wait, capture, heldSteps] {
                if (++*steps != atStep)
                    return;
                if (heldSteps >= 0)
                    Form2->lessonControls()->togglePause();
                for (int k = 1; k <= heldSteps; ++k)
                    QTimer::singleShot(200 * k, Form2, [] { Form2->lessonControls()->stepOnce(); });
                QTimer::singleShot(wait + 200 * std::max(heldSteps, 0), Form2, capture);
            });
    });
}
