// SPDX-License-Identifier: GPL-3.0-or-later
#include "installedprefix.h"

#include <QProcess>

bool InstalledPrefix::install(QString *error)
{
    if (!m_dir.isValid()) {
        *error = QStringLiteral("no temporary folder: %1").arg(m_dir.errorString());
        return false;
    }
    QProcess cmake;
    cmake.setProcessChannelMode(QProcess::MergedChannels);
    cmake.start(QStringLiteral(SM_CMAKE_COMMAND),
                {QStringLiteral("--install"), QStringLiteral(SM_BUILD_DIR),
                 QStringLiteral("--prefix"), m_dir.path()});
    if (!cmake.waitForFinished(60000) || cmake.exitStatus() != QProcess::NormalExit
        || cmake.exitCode() != 0) {
        *error = QStringLiteral("cmake --install failed:\n%1")
                     .arg(QString::fromLocal8Bit(cmake.readAll()));
        return false;
    }
    return true;
}
