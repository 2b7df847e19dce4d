// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the window as the program does and says what a user would find there: the place, in
// device pixels from the window's top-left corner, of every visible control of every tab and of
// the 3D area, and whether the 3D view draws or why not. It says "ready", lives until its window
// is closed, and says "exit".

#include "app/tform2.h"

#include "scene/sceneview.h"

#include "toolkit/application.h"

#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <cmath>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

void say(const QString &line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

void sayPlace(const QString &name, const QWidget *w)
{
    const auto device = [w](QPointF p) {
        p = Form2->mapFromGlobal(w->mapToGlobal(p)) * Form2->devicePixelRatioF();
        return QPoint(int(std::lround(p.x())), int(std::lround(p.y())));
    };
    const QRect r(device({0, 0}), device(QPointF(w->width(), w->height())) - QPoint(1, 1));
    say(u"control %1 %2 %3 %4 %5"_s.arg(name).arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()));
}

void report()
{
    TForm2 &f = *Form2;
    scene::SceneView *view = f.sceneView();
    if (!QTest::qWaitFor([&] { return f.windowHandle() && f.windowHandle()->isExposed(); }, 20000)
        || !QTest::qWaitFor([view] { return view->frameCount() > 0 || !view->isAvailable(); },
                            20000))
        say(u"never drawn"_s);
    const auto *message = view->findChild<QLabel *>();
    say(view->isAvailable() ? u"scene drawn"_s
                            : u"scene unavailable "_s
                + (message && message->isVisible() ? message->text() : QString()));
    sayPlace(u"vue3D"_s, f.vue3D);
    for (int tab = 0; tab < f.TabControl1->count(); ++tab) {
        f.TabControl1->setCurrentIndex(tab);
        QWidget *page = f.TabControl1->widget(tab);
        for (const QWidget *w : page->findChildren<QWidget *>()) {
            if (w->isVisible())
                sayPlace(page->objectName() + u'/' + w->objectName(), w);
        }
    }
    f.TabControl1->setCurrentIndex(0);
    say(u"ready"_s);
}

} // namespace

int main(int argc, char *argv[])
{
    toolkit::Application application(argc, argv);
    const int code = application.execute([&] {
        application.CreateForm(Form2);
        QTimer::singleShot(0, Form2, report);
    });
    say(u"exit"_s);
    return code;
}
