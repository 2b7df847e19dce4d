// SPDX-License-Identifier: GPL-3.0-or-later
// Launches the traces of the tabs given (e.g. "3,2,4,1") at the real pace at 50 %, each inside a
// pause of the one before, then closes the window from inside the innermost; given "held" too,
// the teacher holds the lesson first. Prints the moment of the close, then the point steps
// played after it and which launch buttons are still hidden.

#include "tracewatch.h"

#include "toolkit/application.h"

#include <QDateTime>

#include <cstdio>

int main(int argc, char *argv[])
{
    const QStringList tabs = QString::fromLocal8Bit(argc > 1 ? argv[1] : "1").split(u',');
    const bool held = argc > 2 && QByteArray(argv[2]) == "held";
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
        if (held)
            QTimer::singleShot(at - 100, Form2, [] { Form2->lesson().setPaused(true); });
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
