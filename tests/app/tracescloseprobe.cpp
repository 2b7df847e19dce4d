// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the real window, launches the traces of the tabs given on the command line at the
// real pace, each from inside a pause of the one before (the way a user's clicks would nest
// them), then closes the window from inside the innermost trace. Prints the moment of the close
// and, once the program has left its event loop, how many point steps were played after the
// close and which launch buttons are still hidden, so that tst_tracesclose can check that the
// traces touched nothing and time the exit.
//
//   tracescloseprobe TABS        e.g. "1", "1,3" or "3,2,4,1"

#include "app/tform2.h"

#include "toolkit/application.h"
#include "toolkit/livepause.h"
#include "toolkit/trackbar.h"

#include <QDateTime>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int kFirstLaunchMs = 300;
constexpr int kLaunchEveryMs = 250;

QPushButton *prepareLaunch(int tab)
{
    TForm2 &f = *Form2;
    switch (tab) {
    case 1:
        f.valeurmoteur->setValue(50);
        return f.Button1;
    case 2:
        f.valeurmoteur1->setValue(50);
        f.Button3->click();
        return f.Button2;
    case 3:
        f.valeurmoteur3->setValue(50);
        return f.Button7;
    default:
        f.valeurmoteur4->setValue(50);
        return f.Button5;
    }
}

} // namespace

int main(int argc, char *argv[])
{
    const QStringList tabs = QString::fromLocal8Bit(argc > 1 ? argv[1] : "1").split(u',');
    toolkit::Application application(argc, argv);
    bool closed = false;
    int stepsAfterClose = 0;
    QList<QPushButton *> buttons;

    const int code = application.execute([&] {
        application.CreateForm(Form2);
        QObject::connect(&Form2->pause(), &toolkit::LivePause::stepPaused, Form2,
                         [&] { stepsAfterClose += closed; });
        for (const QString &tab : tabs)
            buttons.append(prepareLaunch(tab.toInt()));
        int at = kFirstLaunchMs;
        for (QPushButton *button : buttons) {
            QTimer::singleShot(at, Form2, [button] { button->click(); });
            at += kLaunchEveryMs;
        }
        QTimer::singleShot(at, Form2, [&closed] {
            std::printf("close %lld\n", QDateTime::currentMSecsSinceEpoch());
            std::fflush(stdout);
            closed = true;
            Form2->close();
        });
    });

    QString hidden;
    for (const QPushButton *button : buttons)
        hidden += button->isHidden() ? u'1' : u'0';
    std::printf("exit %d %s\n", stepsAfterClose, qPrintable(hidden));
    std::fflush(stdout);
    return code;
}
