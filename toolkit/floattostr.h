// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace toolkit {

/// Decimal text of @p value as the window shows numbers: general format with up to 15
/// significant digits, no group separators and no decimal part for whole values: 50.0 gives
/// "50", -90.0 gives "-90", 1e-20 gives "1e-20". Digits, minus sign and exponent are ASCII under
/// every locale; only the decimal separator follows the current locale (QLocale's default,
/// which is the user's unless a test sets another): a comma where it uses a comma ("37,5" in
/// French or German), a point everywhere else.
QString FloatToStr(double value);

} // namespace toolkit
