// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/floattostr.h"

#include <QLocale>

namespace toolkit {

QString FloatToStr(double value)
{
    // The C locale's digits, minus sign and exponent: a locale's own (native digits, a
    // typographic minus) would make the number unreadable next to the Latin digits of the rest
    // of the window. Only the decimal separator is the user's, and only when it is one that
    // reads as a separator here.
    QString text = QString::number(value, 'g', 15);
    if (QLocale().decimalPoint() == QStringLiteral(","))
        text.replace(u'.', u',');
    return text;
}

} // namespace toolkit
