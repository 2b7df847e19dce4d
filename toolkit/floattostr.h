// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace toolkit {

/// Decimal text of @p value as the window shows numbers: general format with up to 15
/// significant digits, the decimal separator of the current locale (QLocale's default, which
/// is the user's unless a test sets another), no group separators and no decimal part for whole
/// values: 50.0 gives "50", -90.0 gives "-90", 37.5 gives "37,5" under a French locale.
QString FloatToStr(double value);

} // namespace toolkit
