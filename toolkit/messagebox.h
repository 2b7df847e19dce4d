// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QMessageBox;
class QWidget;

namespace toolkit {

/// The title of every message box of the program. The main window's caption is its own: the
/// boxes say which program speaks.
QString messageBoxTitle();

/// Gives @p box's text the factor at which its window's content is drawn, so that a box over
/// tabs scaled up for a projector reads as large as they do.
void scaleBoxText(QMessageBox &box);

/// Shows @p text in a modal message box with an OK button and returns when the user has
/// closed it. The box belongs to the active window.
void ShowMessage(const QString &text);

} // namespace toolkit
