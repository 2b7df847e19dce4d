// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

/// The [Desktop Entry] group of a freedesktop .desktop file, as a menu reads it: plain keys,
/// localised keys under their full name ("Name[fr]"), escapes undone.
class DesktopEntry
{
public:
    /// Reads `path`; an unreadable file or one without the group gives an entry with no keys.
    static DesktopEntry read(const QString &path);

    bool isEmpty() const { return m_values.isEmpty(); }
    QString value(const QString &key) const { return m_values.value(key); }
    /// A ';'-separated value such as Categories, without the empty item after the last ';'.
    QStringList list(const QString &key) const;

private:
    QHash<QString, QString> m_values;
};
