// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the window as the program does, on the display it is given, and tells what a user
// would find there: the window's X id, where the tab bar, each control of each tab and the 3D
// area lie (device pixels from the window's top-left corner), and whether the 3D view draws or
// says why not. With --trace, it then plays a tab-1 trace (short pause) and tells what the trace
// left behind and whether the shaft turns. It then waits for a line or the end of its input,
// closes the window and tells that the program has ended, so that tst_displays can look at the
// window from the X server meanwhile.
//
//   displayprobe [--trace]

#include "app/tform2.h"

#include "scene/model3d.h"
#include "scene/sceneview.h"

#include "toolkit/application.h"
#include "toolkit/lineseries.h"
#include "toolkit/trackbar.h"

#include <QLabel>
#include <QSocketNotifier>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <cmath>
#include <cstdio>
#include <cstring>

#include <unistd.h>

namespace {

void say(const QString &line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// Where @p w lies in the window, in device pixels, as far as it can be seen there.
QRect placeInWindow(const QWidget *w)
{
    const qreal ratio = Form2->devicePixelRatioF();
    const auto device = [ratio](QPointF p) {
        return QPoint(int(std::lround(p.x() * ratio)), int(std::lround(p.y() * ratio)));
    };
    const QPointF topLeft = Form2->mapFromGlobal(w->mapToGlobal(QPointF(0, 0)));
    const QPointF bottomRight =
        Form2->mapFromGlobal(w->mapToGlobal(QPointF(w->width(), w->height())));
    return QRect(device(topLeft), device(bottomRight) - QPoint(1, 1));
}

void sayPlace(const QString &name, const QWidget *w)
{
    const QRect r = placeInWindow(w);
    say(QStringLiteral("control %1 %2 %3 %4 %5")
            .arg(name)
            .arg(r.x())
            .arg(r.y())
            .arg(r.width())
            .arg(r.height()));
}

void report(bool trace)
{
    TForm2 &f = *Form2;
    if (!QTest::qWaitFor([&] { return f.windowHandle() && f.windowHandle()->isExposed(); }, 20000))
        say(QStringLiteral("never exposed"));
    scene::SceneView *view = f.sceneView();
    if (!QTest::qWaitFor([view] { return view->frameCount() > 0 || !view->isAvailable(); }, 20000))
        say(QStringLiteral("no frame"));
    say(QStringLiteral("window %1").arg(f.winId()));
    say(QStringLiteral("size %1 %2").arg(f.width()).arg(f.height()));
    if (view->isAvailable()) {
        say(QStringLiteral("scene drawn"));
    } else {
        const auto *message = view->findChild<QLabel *>();
        say(QStringLiteral("scene unavailable %1")
                .arg(message && message->isVisible() ? message->text() : QString()));
    }

    sayPlace(QStringLiteral("tabs"), f.TabControl1->tabBar());
    for (int tab = 0; tab < f.TabControl1->count(); ++tab) {
        f.TabControl1->setCurrentIndex(tab);
        QWidget *page = f.TabControl1->widget(tab);
        for (const QWidget *w : page->findChildren<QWidget *>()) {
            if (w->isVisible())
                sayPlace(page->objectName() + u'/'
                             + (w->objectName().isEmpty()
                                    ? QLatin1String(w->metaObject()->className())
                                    : w->objectName()),
                         w);
        }
    }
    f.TabControl1->setCurrentIndex(0);
    sayPlace(QStringLiteral("vue3D"), f.vue3D);

    if (trace) {
        f.pause().setInterval(std::chrono::milliseconds(2));
        f.valeurmoteur->setValue(40);
        f.Button1->click();
        say(QStringLiteral("trace %1 %2 %3")
                .arg(f.signalrco->count())
                .arg(f.tensionmoyenne->count())
                .arg(f.Button1->isVisible() ? "shown" : "hidden"));
        const float before = f.axe->rotationAngle().z();
        QTest::qWait(200);
        say(QStringLiteral("shaft %1 %2").arg(before).arg(f.axe->rotationAngle().z()));
    }
    say(QStringLiteral("ready"));
}

} // namespace

int main(int argc, char *argv[])
{
    const bool trace = argc > 1 && std::strcmp(argv[1], "--trace") == 0;
    toolkit::Application application(argc, argv);
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&input] {
        input.setEnabled(false);
        Form2->close();
    });
    const int code = application.execute([&] {
        application.CreateForm(Form2);
        QTimer::singleShot(0, Form2, [trace] { report(trace); });
    });
    say(QStringLiteral("exit"));
    return code;
}
