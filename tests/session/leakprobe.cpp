// SPDX-License-Identifier: GPL-3.0-or-later
// A short life of the whole program for LeakSanitizer: start, one trace on each tab (short
// pause), the tabs and a diagram panel clicked, then close. Whatever the program still holds at
// exit that nobody can reach is reported by the sanitizer when the process ends.

#include "app/tform2.h"

#include "toolkit/application.h"
#include "toolkit/tabcontrol.h"
#include "toolkit/trackbar.h"

#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>

#include <cstdio>

namespace {

constexpr std::chrono::milliseconds kShortPause(2);
constexpr int kStartMs = 300;
// Lets the slides started by the tab clicks run to their end before the close.
constexpr int kSlidesEndMs = 1000;

void clickTab(TForm2 &f, int index)
{
    QTabBar *bar = f.TabControl1->tabBar();
    Q_EMIT bar->tabBarClicked(index);
    f.TabControl1->setCurrentIndex(index);
}

} // namespace

int main(int argc, char *argv[])
{
    int played = 0;
    toolkit::Application application(argc, argv);
    const int code = application.execute([&] {
        application.CreateForm(Form2);
        Form2->pause().setInterval(kShortPause);
        QTimer::singleShot(kStartMs, Form2, [&played] {
            TForm2 &f = *Form2;
            const struct
            {
                int tab;
                toolkit::TrackBar *bar;
                QPushButton *launch;
            } traces[] = {{0, f.valeurmoteur, f.Button1},
                          {1, f.valeurmoteur1, f.Button2},
                          {2, f.valeurmoteur3, f.Button7},
                          {3, f.valeurmoteur4, f.Button5}};
            for (const auto &trace : traces) {
                clickTab(f, trace.tab);
                trace.bar->setValue(37.5);
                if (trace.tab == 1)
                    f.Button3->click();
                trace.launch->click();
                played += trace.launch->isVisible() ? 1 : 0;
            }
            f.Button10->click();
            f.SpeedButton4->click();
            QTimer::singleShot(kSlidesEndMs, Form2, [] { Form2->close(); });
        });
    });
    std::printf("traces played: %d of 4\n", played);
    std::fflush(stdout);
    return played == 4 ? code : 1;
}
