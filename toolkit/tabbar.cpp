// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/tabbar.h"

#include "toolkit/tabitem.h"

#include <QTabWidget>

namespace toolkit {

TabBar::TabBar(QWidget *parent) : QTabBar(parent)
{
    setExpanding(false);
    setElideMode(Qt::ElideNone);
    setUsesScrollButtons(true);
}

QSize TabBar::tabSizeHint(int index) const
{
    QSize hint = QTabBar::tabSizeHint(index);
    if (const auto *tabs = qobject_cast<const QTabWidget *>(parentWidget())) {
        if (const auto *item = qobject_cast<const TabItem *>(tabs->widget(index))) {
            if (item->tabWidth() > 0)
                hint.setWidth(item->tabWidth());
            if (item->tabHeight() > 0)
                hint.setHeight(item->tabHeight());
        }
    }
    return hint;
}

QSize TabBar::minimumTabSizeHint(int index) const
{
    return tabSizeHint(index);
}

} // namespace toolkit
