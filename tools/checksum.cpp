// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/checksum.h"

#include "core/blanks.h"
#include "core/crc16.h"
#include "core/hexdigit.h"

std::optional<quint16> Checksum::item(QStringView text)
{
    text = trimBlanks(text);
    if (text.isEmpty())
        return std::nullopt;
    quint32 value = 0;
    for (QChar c : text) {
        const int digit = hexDigitValue(c.unicode());
        if (digit < 0)
            return std::nullopt;
        // Leading zeros are allowed, so the limit is on the value, not on the digit count.
        value = value * 16 + quint32(digit);
        if (value > 0xFFFFu)
            return std::nullopt;
    }
    return quint16(value);
}

std::optional<quint16> Checksum::fold(Kind kind, const QString &text)
{
    if (text.size() > MaxInputLength)
        return std::nullopt;
    quint16 acc = kind == Kind::Crc ? Crc16::Preset : 0u;
    // The comma ends every item, so the text's last item is ended by an appended one; a comma
    // typed at the end therefore leaves an empty item.
    const QString working = text + u',';
    qsizetype start = 0;
    for (qsizetype i = 0; i < working.size(); ++i) {
        if (working[i] != u',')
            continue;
        const std::optional<quint16> value = item(QStringView(working).mid(start, i - start));
        if (!value)
            return std::nullopt;
        switch (kind) {
        case Kind::Crc:
            acc = Crc16::step(acc, *value);
            break;
        case Kind::Xor:
            acc ^= *value;
            break;
        case Kind::Sum:
            // Wrapping: only the low byte is shown, and it does not depend on overflow.
            acc = quint16(acc + *value);
            break;
        }
        start = i + 1;
    }
    return acc;
}

std::optional<QString> Checksum::withModbusCrc(const QString &line)
{
    for (QStringView text : QStringView(line).tokenize(u',', Qt::KeepEmptyParts)) {
        // A wider item would be folded as 16 bits here but refused by the send line.
        const std::optional<quint16> value = item(text);
        if (!value || *value > 0xFFu)
            return std::nullopt;
    }
    const std::optional<quint16> crc = fold(Kind::Crc, line);
    if (!crc)
        return std::nullopt;
    return line + u',' + lowByteDigits(*crc) + u',' + lowByteDigits(quint16(*crc >> 8));
}

QString Checksum::fourDigits(quint16 value)
{
    return hexText(value, 4);
}

QString Checksum::lowByteDigits(quint16 value)
{
    return hexText(value & 0xFFu, 2);
}

QString Checksum::characterCodes(const QString &digits)
{
    if (digits.isEmpty())
        return {};
    const auto code = [](QChar c) { return hexText(c.unicode(), 1); };
    return code(digits.front()) + QStringLiteral(" ,") + code(digits.back());
}
