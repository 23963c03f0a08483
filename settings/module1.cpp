// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/module1.h"

#include "core/blanks.h"
#include "core/programfolders.h"
#include "settings/privateprofile.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace Module1 {

namespace {
const QString Section = QStringLiteral("Setup");
} // namespace

void LoadSettings()
{
    const QString folder = ProgramFolders::settings();
    IniFile = folder.isEmpty() ? QString() : folder + QStringLiteral("/vedira.ini");
    ComPortNo = trimBlanks(PrivateProfile::getString(Section, QStringLiteral("comPort"),
                               QStringLiteral("0"), 12, IniFile))
                    .toString();
    ComSetting = trimBlanks(PrivateProfile::getString(Section, QStringLiteral("comSet"),
                                QStringLiteral("0"), 14, IniFile))
                     .toString();
    if (!IniFile.isEmpty() && QFileInfo(IniFile).size() > PrivateProfile::MaxFileSize) {
        std::fprintf(stderr, "vedira: %s is over %lld KiB, so it is neither read nor saved\n",
            qPrintable(QDir::toNativeSeparators(IniFile)), PrivateProfile::MaxFileSize / 1024);
    }
    if (ComPortNo == QLatin1String("0"))
        ComPortNo = QStringLiteral("1");
    if (ComSetting == QLatin1String("0"))
        ComSetting = QStringLiteral("9600,n,8,1");
}

bool SaveSettings()
{
    if (IniFile.isEmpty())
        return false;
    // The folder under ~/.config comes into being with the first save, never by reading.
    QDir().mkpath(QFileInfo(IniFile).absolutePath());
    // One replacement, so a crash between the keys cannot pair the new port with old settings.
    return PrivateProfile::writeStrings(Section,
        {{QStringLiteral("comPort"), ComPortNo}, {QStringLiteral("comSet"), ComSetting}}, IniFile);
}

} // namespace Module1
