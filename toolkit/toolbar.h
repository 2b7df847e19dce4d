// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>

namespace toolkit {

/// A strip along the top of a panel that holds tool buttons at fixed places.
class ToolBar : public QFrame
{
    Q_OBJECT

public:
    explicit ToolBar(QWidget *parent = nullptr);
};

} // namespace toolkit
