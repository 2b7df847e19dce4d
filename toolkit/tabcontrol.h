// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/tabitem.h"

#include <QTabWidget>

namespace toolkit {

/// Tabs whose pages are TabItems, with headers sized by their pages.
class TabControl : public QTabWidget
{
    Q_OBJECT

public:
    explicit TabControl(QWidget *parent = nullptr);

    /// Where the header of @p index lies, in this widget's coordinates (for tests and tools).
    QRect tabHeaderRect(int index) const;

Q_SIGNALS:
    /// A click on the header of @p item, also when it is the selected page already.
    void itemClicked(toolkit::TabItem *item);
};

} // namespace toolkit
