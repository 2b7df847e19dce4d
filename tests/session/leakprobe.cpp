// SPDX-License-Identifier: GPL-3.0-or-later
// A short life of the whole program for LeakSanitizer: start, one trace on each tab (short
// pause), a diagram panel in and out, the slides left to end, then close. Whatever the program
// still holds at exit that nobody can reach is reported when the process ends.

#include "tracewatch.h"

#include "toolkit/application.h"
#include "toolkit/tabcontrol.h"

#include <QTabBar>

#include <cstdio>

int main(int argc, char *argv[])
{
    int played = 0;
    toolkit::Application application(argc, argv);
    const int code = application.execute([&] {
        application.CreateForm(Form2);
        Form2->pause().setInterval(std::chrono::milliseconds(2));
        QTimer::singleShot(300, Form2, [&played] {
            for (int tab = 0; tab < 4; ++tab) {
                Q_EMIT Form2->TabControl1->tabBar()->tabBarClicked(tab);
                Form2->TabControl1->setCurrentIndex(tab);
                const TraceTab t(*Form2, tab + 1);
                t.prepare(37.5);
                t.button->click();
                played += t.button->isVisible() ? 1 : 0;
            }
            Form2->Button10->click();
            Form2->SpeedButton4->click();
            QTimer::singleShot(1000, Form2, [] { Form2->close(); });
        });
    });
    std::printf("traces played: %d of 4\n", played);
    return played == 4 ? code : 1;
}
