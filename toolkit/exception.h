// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <stdexcept>

namespace toolkit {

/// The exception the window's code raises and the exception display shows. Its message is
/// kept as UTF-8 so that French texts survive the trip through std::exception::what().
class Exception : public std::runtime_error
{
public:
    explicit Exception(const QString &message) : std::runtime_error(message.toStdString()) { }

    QString message() const { return QString::fromUtf8(what()); }
};

} // namespace toolkit
