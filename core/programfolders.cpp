// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/programfolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

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
    // A relative XDG_CONFIG_HOME is to be ignored; without a home the user has no folder at all,
    // and "/.config" at the root of the file system is nobody's.
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (QDir::isAbsolutePath(xdg))
        return xdg + QStringLiteral("/vedira");
    const QString home = qEnvironmentVariable("HOME");
    if (QDir::isAbsolutePath(home))
        return home + QStringLiteral("/.config/vedira");
    return {};
}

QString ports()
{
    const QString folder = settings();
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/ports");
}

} // namespace ProgramFolders
