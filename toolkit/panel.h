// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>

namespace toolkit {

/// A plain container drawn as a raised panel; it groups controls and lays nothing out itself
/// (its children keep the positions they were given).
class Panel : public QFrame
{
    Q_OBJECT

public:
    explicit Panel(QWidget *parent = nullptr);
};

} // namespace toolkit
