// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serial/linesettings.h"

#include <QString>

// What a port is opened with: its number and its line settings, read once from the stored texts.
// parse() throws RunTimeError in the order opening always met the faults: 13 or 6 for a port
// number that is no number, 8002 for one below 1, 380 for settings it cannot read.
struct PortSettings
{
    qint16 port = 1;
    QString text = QStringLiteral("9600,n,8,1"); // the settings as stored, as the port is told them
    LineSettings line;

    static PortSettings parse(const QString &portNumber, const QString &settings);
};
