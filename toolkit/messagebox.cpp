// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/messagebox.h"

#include "toolkit/scaledview.h"

#include <QApplication>
#include <QMessageBox>

#include <cmath>

namespace toolkit {

QString messageBoxTitle()
{
    return QCoreApplication::translate("toolkit", "Simulateur de commande de moteurs");
}

void scaleBoxText(QMessageBox &box)
{
    const qreal factor = ScaledView::factorIn(box.parentWidget());
    if (factor == 1.0)
        return;
    QFont font = box.font();
    if (font.pixelSize() > 0)
        font.setPixelSize(int(std::lround(font.pixelSize() * factor)));
    else
        font.setPointSizeF(font.pointSizeF() * factor);
    box.setFont(font);
}

void ShowMessage(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, messageBoxTitle(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("ShowMessageBox"));
    scaleBoxText(box);
    box.exec();
}

} // namespace toolkit
