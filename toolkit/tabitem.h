// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace toolkit {

/// One page of a TabControl. It carries the size of its header.
class TabItem : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int tabWidth READ tabWidth WRITE setTabWidth)
    Q_PROPERTY(int tabHeight READ tabHeight WRITE setTabHeight)

public:
    explicit TabItem(QWidget *parent = nullptr);

    int tabWidth() const { return m_tabWidth; }
    void setTabWidth(int width) { m_tabWidth = width; }
    int tabHeight() const { return m_tabHeight; }
    void setTabHeight(int height) { m_tabHeight = height; }

private:
    int m_tabWidth = 0;
    int m_tabHeight = 0;
};

} // namespace toolkit
