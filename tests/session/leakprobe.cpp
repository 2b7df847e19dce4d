// SPDX-License-Identifier: GPL-3.0-or-later
// A short life of the whole program for LeakSanitizer: start, one trace on each tab (short
// pause), the tabs and a diagram panel clicked, the slides left to end, then close. Whatever the
// program still holds at exit that nobody can reach is reported when the process ends.

#include "app/tform2.h"

#include "toolkit/application.h"
#include "toolkit/tabcontrol.h"
#include "toolkit/trackbar.h"

#include <QPushButton>
#include <QTabBar>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    int played = 0;
    toolkit::Application application(argc, argv);
    const int code = application.execute([&] {
        application.CreateForm(Form2);
        Form2->pause().setInterval(std::chrono::milliseconds(2));
        QTimer::singleShot(300, Form2, [&played] {
            TForm2 &f = *Form2;
            toolkit::TrackBar *bars[] = {f.valeurmoteur, f.valeurmoteur1, f.valeurmoteur3,
                                         f.valeurmoteur4};
            QPushButton *launches[] = {f.Button1, f.Button2, f.Button7, f.Button5};
            for (int tab = 0; tab < 4; ++tab) {
                Q_EMIT f.TabControl1->tabBar()->tabBarClicked(tab);
                f.TabControl1->setCurrentIndex(tab);
                bars[tab]->setValue(37.5);
                if (tab == 1)
                    f.Button3->click();
                launches[tab]->click();
                played += launches[tab]->isVisible() ? 1 : 0;
            }
            f.Button10->click();
            f.SpeedButton4->click();
            QTimer::singleShot(1000, Form2, [] { Form2->close(); });
        });
    });
    std::printf("traces played: %d of 4\n", played);
    return played == 4 ? code : 1;
}
