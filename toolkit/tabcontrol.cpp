// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/tabcontrol.h"

#include "toolkit/tabbar.h"
#include "toolkit/tabitem.h"

namespace toolkit {

TabControl::TabControl(QWidget *parent) : QTabWidget(parent)
{
    setTabBar(new TabBar(this));
    setDocumentMode(true);
    connect(tabBar(), &QTabBar::tabBarClicked, this, [this](int index) {
        if (auto *item = qobject_cast<TabItem *>(widget(index)))
            Q_EMIT itemClicked(item);
    });
}

QRect TabControl::tabHeaderRect(int index) const
{
    const QRect r = tabBar()->tabRect(index);
    return QRect(tabBar()->mapTo(this, r.topLeft()), r.size());
}

} // namespace toolkit
