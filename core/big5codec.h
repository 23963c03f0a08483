// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// The program's 8-bit code page. A character Big5 cannot hold becomes "?" (3F); bytes that are
// not valid Big5 decode to U+FFFD.
class Big5Codec
{
public:
    static QByteArray encode(const QString &text);
    static QString decode(const QByteArray &bytes);
    // True for a byte that starts a two-byte Big5 character.
    static constexpr bool isLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }
};
