// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/layout/style.h"

#include <QFile>
#include <QIcon>
#include <QPalette>
#include <QWidget>

void applyWindowStyle(QWidget &window)
{
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(0xAF, 0xEE, 0xEE)); // pale turquoise
    palette.setColor(QPalette::Highlight, QColor(0x00, 0x78, 0xD7));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    window.setWindowIcon(QIcon(QStringLiteral(":/icons/simumoteurs.svg")));

    QFile sheet(QStringLiteral(":/layout/style.qss"));
    if (sheet.open(QIODevice::ReadOnly | QIODevice::Text))
        window.setStyleSheet(QString::fromUtf8(sheet.readAll()));
}
