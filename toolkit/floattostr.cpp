// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/floattostr.h"

#include <QLocale>

namespace toolkit {

QString FloatToStr(double value)
{
    // -0.0 would otherwise come out as "-0" after a rotor angle has been brought back to zero.
    if (value == 0.0)
        return QStringLiteral("0");
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 15);
}

} // namespace toolkit
