// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/module1.h"

#include "settings/blanks.h"
#include "settings/privateprofile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace Module1 {

namespace {
QString programFolderOverride;
const QString Section = QStringLiteral("Setup");
} // namespace

QString ProgramFolder()
{
    if (!programFolderOverride.isEmpty())
        return programFolderOverride;
    return QCoreApplication::applicationDirPath();
}

void SetProgramFolder(const QString &folder)
{
    programFolderOverride = folder;
}

QString SettingsFolder()
{
    const QString program = ProgramFolder();
    const QFileInfo ini(program + QStringLiteral("/vedira.ini"));
    if (ini.exists() || ini.isSymLink())
        return program;
    // An installed copy is never written beside, even when root could: sudo must not leave a
    // settings file in /usr/bin.
    const QString real = QFileInfo(program).canonicalFilePath();
    const bool installed = real == QLatin1String("/usr") || real.startsWith(QLatin1String("/usr/"));
    if (!installed && QFileInfo(program).isWritable())
        return program;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/vedira");
}

void LoadSettings()
{
    IniFile = SettingsFolder() + QStringLiteral("/vedira.ini");
    ComPortNo = trimBlanks(PrivateProfile::getString(Section, QStringLiteral("comPort"),
                               QStringLiteral("0"), 12, IniFile))
                    .toString();
    ComSetting = trimBlanks(PrivateProfile::getString(Section, QStringLiteral("comSet"),
                                QStringLiteral("0"), 14, IniFile))
                     .toString();
    if (ComPortNo == QLatin1String("0"))
        ComPortNo = QStringLiteral("1");
    if (ComSetting == QLatin1String("0"))
        ComSetting = QStringLiteral("9600,n,8,1");
}

void SaveSettings()
{
    // The folder under ~/.config comes into being with the first save, never by reading.
    QDir().mkpath(QFileInfo(IniFile).absolutePath());
    // One replacement, so a crash between the keys cannot pair the new port with old settings.
    PrivateProfile::writeStrings(Section,
        {{QStringLiteral("comPort"), ComPortNo}, {QStringLiteral("comSet"), ComSetting}}, IniFile);
}

void Reset()
{
    IniFile.clear();
    ComPortNo.clear();
    ComSetting.clear();
    PortIsOpen = VbFalse;
    ReceiveClearOpt.clear();
    for (QString &s : SendOptValues)
        s.clear();
}

} // namespace Module1
