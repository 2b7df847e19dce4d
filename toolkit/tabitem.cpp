// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/tabitem.h"

namespace toolkit {

TabItem::TabItem(QWidget *parent) : QWidget(parent)
{
    // Lets the style sheet paint the page's background, as it does for the built-in widgets.
    setAttribute(Qt::WA_StyledBackground);
}

} // namespace toolkit
