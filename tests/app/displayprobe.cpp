// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the window as the program does and says where, in device pixels from its top-left
// corner, every visible control of every tab and the 3D area lie, and whether the 3D view draws.
// Given "projector", it acts as a teacher at a projector would (F11, a drag and a key on the speed
// bar, a message box, Échap) and says what each reached and where a screen reader is told the
// controls are. It says "ready", lives until its window is closed, and says "exit".

#include "app/tform2.h"

#include "scene/sceneview.h"

#include "toolkit/application.h"
#include "toolkit/messagebox.h"
#include "toolkit/scaledview.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
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

QString rectText(const QRect &r)
{
    return u"%1 %2 %3 %4"_s.arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// Where the window's client area starts on the screen.
QPoint origin()
{
    return Form2->mapToGlobal(QPoint(0, 0));
}

QRect readerRect(QWidget *w)
{
    return QAccessible::queryAccessibleInterface(w)->rect().translated(-origin());
}

QPoint inWindow(const QWidget *w, QPoint p)
{
    return w->mapToGlobal(p) - origin();
}

bool waitFullScreen(bool on)
{
    const QSize screen = Form2->screen()->geometry().size();
    return QTest::qWaitFor(
        [&] { return Form2->isFullScreen() == on && (Form2->size() == screen) == on; }, 20000);
}

// Waits for @p state; says so when it never comes, for the test to show.
template<typename State> void waitFor(State state, const QString &what)
{
    if (!QTest::qWaitFor(state, 20000))
        say(u"never "_s + what);
}

// Once @p widget's window has the keyboard (a loaded machine may hand it over late), a key on it.
void pressKey(const QWidget *widget, Qt::Key key, const QString &what)
{
    waitFor([widget] { return QGuiApplication::focusWindow() == widget->windowHandle(); }, what);
    QTest::keyClick(widget->windowHandle(), key);
}

// Runs while the message box is open: closes it with Échap, then leaves full screen.
void withBoxOpen()
{
    if (!QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 20000)) {
        say(u"no box"_s);
        return;
    }
    const auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    const QFont boxFont = box->font();
    const QFont plain = QApplication::font(box);
    say(u"box %1"_s.arg(boxFont.pixelSize() > 0 ? qreal(boxFont.pixelSize()) / plain.pixelSize()
                                                : boxFont.pointSizeF() / plain.pointSizeF()));
    pressKey(box, Qt::Key_Escape, u"box active"_s);
    waitFor([] { return QApplication::activeModalWidget() == nullptr; }, u"box closed"_s);
    say(u"box closed, full screen %1"_s.arg(int(Form2->isFullScreen())));
    // A loaded window manager may not hand the keyboard back: the user would click the window.
    Form2->activateWindow();
    pressKey(Form2, Qt::Key_Escape, u"window active"_s);
    const bool left = waitFullScreen(false);
    say(u"left %1 full screen %2"_s.arg(int(left)).arg(int(Form2->isFullScreen())));
    say(u"ready"_s);
}

void run()
{
    TForm2 &f = *Form2;
    pressKey(&f, Qt::Key_F11, u"active"_s);
    const bool full = waitFullScreen(true);
    say(u"full %1 %2 %3"_s.arg(int(full)).arg(f.width()).arg(f.height()));
    say(u"factor %1"_s.arg(f.contentFactor(), 0, 'g', 10));

    for (QWidget *w : {static_cast<QWidget *>(f.Button1), static_cast<QWidget *>(f.valeurmoteur)}) {
        say(u"natural %1 %2"_s.arg(w->objectName(),
                                   rectText(QRect(w->mapTo(f.Layer3D1, QPoint(0, 0)), w->size()))));
        say(u"reader %1 %2"_s.arg(w->objectName(), rectText(readerRect(w))));
    }

    // The thumb from its place at 0 to the middle of the bar as drawn.
    f.valeurmoteur->setValue(0);
    const auto *slider = f.valeurmoteur->findChild<QSlider *>();
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = option.sliderValue = slider->value();
    const QRect thumb = slider->style()->subControlRect(QStyle::CC_Slider, &option,
                                                        QStyle::SC_SliderHandle, slider);
    const QPoint from = inWindow(slider, thumb.center());
    const QPoint to = readerRect(f.valeurmoteur).center();
    QTest::mousePress(f.windowHandle(), Qt::LeftButton, {}, from);
    for (int i = 1; i <= 8; ++i)
        QTest::mouseMove(f.windowHandle(), from + (to - from) * i / 8);
    QTest::mouseRelease(f.windowHandle(), Qt::LeftButton, {}, to);
    say(u"drag %1"_s.arg(f.valeurmoteur->value()));
    pressKey(&f, Qt::Key_Right, u"active after the drag"_s); // to the bar the drag focused
    say(u"key %1"_s.arg(f.valeurmoteur->value()));
    // A press where « Lancer tracé » is drawn reaches it; released off it, it starts no trace.
    QTest::mousePress(f.windowHandle(), Qt::LeftButton, {}, readerRect(f.Button1).center());
    say(u"pressed %1"_s.arg(int(f.Button1->isDown())));
    QTest::mouseRelease(f.windowHandle(), Qt::LeftButton, {}, QPoint(1, 1));

    QTimer::singleShot(0, &f, withBoxOpen);
    toolkit::ShowMessage(u"Message"_s);
}

} // namespace

int main(int argc, char *argv[])
{
    toolkit::Application application(argc, argv);
    const bool projector = QCoreApplication::arguments().contains(u"projector"_s);
    const int code = application.execute([&] {
        application.CreateForm(Form2);
        QTimer::singleShot(0, Form2, projector ? run : report);
    });
    say(u"exit"_s);
    return code;
}
