// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/panel.h"

namespace toolkit {

Panel::Panel(QWidget *parent) : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
}

} // namespace toolkit
