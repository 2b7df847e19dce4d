// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for the start-up time: a bare window with the same Qt modules as ours and
// nothing else (a chart view over a Qt Quick 3D view showing one model). Prints
// "first-frame <epoch ms>" when the 3D view has drawn its first frame, then "peak-rss <kB>",
// and exits.

#include "startupclock.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QQuickView>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *chartView = new QChartView(new QChart, &window);
    layout->addWidget(chartView);

    auto *view = new QQuickView;
    view->setResizeMode(QQuickView::SizeRootObjectToView);
    view->setSource(QUrl(QStringLiteral("qrc:/bare/bare_scene.qml")));
    layout->addWidget(QWidget::createWindowContainer(view, &window), 1);
    QObject::connect(
        view, &QQuickWindow::frameSwapped, &app,
        [&app] {
            printMoment("first-frame");
            std::printf("peak-rss %ld\n", peakResidentKb());
            std::fflush(stdout);
            app.quit();
        },
        Qt::SingleShotConnection);

    window.resize(1024, 768);
    window.show();
    return app.exec();
}
