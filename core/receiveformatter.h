// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>

#include <vector>

// Turns received bytes into the text of one receive area: one item per byte, each followed by one
// blank, and "\r\n" for every line break. A break at position p stands before byte p; several may
// share a position, and a break at bytes.size() ends the text.
class ReceiveFormatter
{
public:
    enum class Kind { Character, Decimal, Hexadecimal };

    // The item without its blank.
    static QString item(Kind kind, uchar byte);
    // The whole area text; lineBreaks must be in ascending order.
    static QString text(Kind kind, QByteArrayView bytes, const std::vector<qsizetype> &lineBreaks);
    // The bytes as the hexadecimal send line and the calculator take them: two digits per byte
    // joined by commas, one line per received line, CR LF between lines, no empty lines.
    static QString byteList(QByteArrayView bytes, const std::vector<qsizetype> &lineBreaks);
};
