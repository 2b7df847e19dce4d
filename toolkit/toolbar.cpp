// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/toolbar.h"

namespace toolkit {

ToolBar::ToolBar(QWidget *parent) : QFrame(parent)
{
    setAutoFillBackground(true);
}

} // namespace toolkit
