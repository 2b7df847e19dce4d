// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTemporaryDir>

/// A throw-away install of the build tree: `cmake --install <build> --prefix <temporary folder>`,
/// what a packager or `make install` would lay out. The folder goes with the object.
class InstalledPrefix
{
public:
    /// Installs; on failure returns false and says why in `error` (cmake's own output included).
    bool install(QString *error);

    QString path() const { return m_dir.path(); }
    /// A path below the prefix, e.g. "share/applications".
    QString filePath(const QString &relative) const { return m_dir.filePath(relative); }

private:
    QTemporaryDir m_dir;
};
