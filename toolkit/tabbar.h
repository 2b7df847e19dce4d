// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTabBar>

namespace toolkit {

/// Tab headers whose sizes come from their pages (TabItem::tabWidth()/tabHeight()) instead of
/// from their texts; a page without a size of its own gets the usual one.
class TabBar : public QTabBar
{
    Q_OBJECT

public:
    explicit TabBar(QWidget *parent = nullptr);

protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override;
};

} // namespace toolkit
