// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

namespace toolkit {

/// An edit box used as a display: the window writes its text and never reads it back, so the
/// user may select and copy the text but not type into it.
class Edit : public QLineEdit
{
    Q_OBJECT

public:
    explicit Edit(QWidget *parent = nullptr);
};

} // namespace toolkit
