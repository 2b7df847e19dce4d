// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the real window, launches the traces of the tabs given on the command line at the
// real pace at 50 %, each from inside a pause of the one before (as a user's clicks would nest
// them), then closes the window from inside the innermost trace. Prints the moment of the close
// and, once the program has left its event loop, how many point steps were played after the
// close and which launch buttons are still hidden: tst_tracesclose checks that the traces touched
// nothing, bench/run-figures.sh times the exit.
//
//   tracescloseprobe TABS        e.g. "1", "1,3" or "3,2,4,1"

#include "tracewatch.h"

#include "toolkit/application.h"

#include <QDateTime>

#include <cstdio>

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
        int at = 300;
        for (const QString &tab : tabs) {
            const TraceTab t(*Form2, tab.toInt());
            t.prepare(50);
            buttons << t.button;
            QTimer::singleShot(at, Form2, [button = t.button] { button->click(); });
            at += 250;
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
    return code;
}
