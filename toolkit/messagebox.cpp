// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/messagebox.h"

#include <QApplication>
#include <QMessageBox>

namespace toolkit {

QString messageBoxTitle()
{
    return QCoreApplication::translate("toolkit", "Simulateur de commande de moteurs");
}

void ShowMessage(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, messageBoxTitle(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("ShowMessageBox"));
    box.exec();
}

} // namespace toolkit
