// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/edit.h"

namespace toolkit {

Edit::Edit(QWidget *parent) : QLineEdit(parent)
{
    setReadOnly(true);
    setAlignment(Qt::AlignCenter);
}

} // namespace toolkit
