// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopentry.h"

#include <QFile>

namespace {

QString unescaped(QStringView raw)
{
    QString out;
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] != u'\\' || i + 1 == raw.size()) {
            out += raw[i];
            continue;
        }
        switch (raw[++i].unicode()) {
        case 's':
            out += u' ';
            break;
        case 'n':
            out += u'\n';
            break;
        case 't':
            out += u'\t';
            break;
        case 'r':
            out += u'\r';
            break;
        // "\;" stays escaped so that list() can tell it from a separator.
        case ';':
            out += QLatin1String("\\;");
            break;
        default:
            out += raw[i];
            break;
        }
    }
    return out;
}

} // namespace

DesktopEntry DesktopEntry::read(const QString &path)
{
    DesktopEntry entry;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return entry;
    bool inEntry = false;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString &line : lines) {
        if (line.startsWith(u'[')) {
            inEntry = line.trimmed() == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inEntry || line.startsWith(u'#') || equals < 0)
            continue;
        entry.m_values.insert(line.first(equals).trimmed(),
                              unescaped(QStringView(line).sliced(equals + 1).trimmed()));
    }
    return entry;
}

QStringList DesktopEntry::list(const QString &key) const
{
    QStringList items;
    QString item;
    const QString raw = value(key);
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] == u'\\' && i + 1 < raw.size() && raw[i + 1] == u';') {
            item += u';';
            ++i;
        } else if (raw[i] == u';') {
            items << item;
            item.clear();
        } else {
            item += raw[i];
        }
    }
    if (!item.isEmpty())
        items << item;
    return items;
}
