// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTabWidget>

namespace toolkit {

/// Tabs whose pages are TabItems: headers sized by their pages, and each page told of every
/// click on its header.
class TabControl : public QTabWidget
{
    Q_OBJECT

public:
    explicit TabControl(QWidget *parent = nullptr);

    /// Where the header of @p index lies, in this widget's coordinates (for tests and tools).
    QRect tabHeaderRect(int index) const;
};

} // namespace toolkit
