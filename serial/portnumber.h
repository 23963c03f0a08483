// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Port numbers: the shared ComPortNo text to a number, and a number to the device it names.
class PortNumber
{
public:
    // Converts as BASIC's CInt does: blanks around the number, a sign, a fraction or an exponent
    // and &H/&O literals are accepted, halves round to even. Throws RunTimeError 13 for text that
    // is not a number and 6 for a value outside the 16-bit range.
    static qint16 fromText(const QString &text);

    // The device to open for port n. On Linux an entry "comN" in portsFolder wins (resolved to the
    // device itself, so every name of one device locks the same port); otherwise /dev/ttyS{n-1}. On
    // Windows COMn. Throws 8002 for n below 1.
    static QString devicePath(qint16 n, const QString &portsFolder);
    // Where the "comN" entry of port n lives, whether or not it exists (Linux); empty with no
    // ports folder.
    static QString entryPath(qint16 n, const QString &portsFolder);
    // The device port n reaches without an entry (Linux).
    static QString defaultDevice(qint16 n);
};
