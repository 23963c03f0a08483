// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The calculator's check values over a comma-separated list of hexadecimal items. Every function
// gives std::nullopt for a data error: a bad item, an item above FFFF or an input too long.
class Checksum
{
public:
    enum class Kind { Crc, Xor, Sum };

    // Longest input: the walk over the text and its appended comma counts in 16 bits.
    static constexpr qsizetype MaxInputLength = 32765;

    // One or more hexadecimal digits, value at most FFFF, taken as a 16-bit pattern. Blanks
    // directly before or after the digits are tolerated, nothing else.
    static std::optional<quint16> item(QStringView text);

    // The fold of every item of the text: CRC-16/MODBUS (preset FFFF, A001, on all 16 bits of
    // each item), XOR, or the sum in wrapping 16-bit arithmetic.
    static std::optional<quint16> fold(Kind kind, const QString &text);

    // A hexadecimal send line with the CRC-16/MODBUS of its bytes appended, low byte first, as
    // two more items: "01,03,00,00,00,01" gives "01,03,00,00,00,01,84,0A". std::nullopt when an
    // item is not a byte by the calculator's rules.
    static std::optional<QString> withModbusCrc(const QString &line);

    // txtCRC: always four upper-case digits.
    static QString fourDigits(quint16 value);
    // txtSum, txtXOR: the low byte as two upper-case digits.
    static QString lowByteDigits(quint16 value);
    // txtSumHex, txtXORhex: the codes of the first and the last character, joined by " ,".
    static QString characterCodes(const QString &digits);
};
