// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/programfolders.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace ProgramFolders {

namespace {
QString programOverride;
} // namespace

QString program()
{
    if (!programOverride.isEmpty())
        return programOverride;
    return QCoreApplication::applicationDirPath();
}

void setProgram(const QString &folder)
{
    programOverride = folder;
}

QString settings()
{
    const QString folder = program();
    const QFileInfo ini(folder + QStringLiteral("/vedira.ini"));
    if (ini.exists() || ini.isSymLink())
        return folder;
    // An installed copy is never written beside, even when root could: sudo must not leave a
    // settings file in /usr/bin.
    const QString real = QFileInfo(folder).canonicalFilePath();
    const bool installed = real == QLatin1String("/usr") || real.startsWith(QLatin1String("/usr/"));
    if (!installed && QFileInfo(folder).isWritable())
        return folder;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/vedira");
}

QString ports()
{
    return settings() + QStringLiteral("/ports");
}

} // namespace ProgramFolders
