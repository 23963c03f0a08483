// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The value of one ASCII hexadecimal digit, either case, or -1. Full-width digits are not digits
// here: both the send line and the calculator read only what a device's protocol sheet shows.
constexpr int hexDigitValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// One upper-case digit for the low four bits of value.
constexpr char hexDigitChar(unsigned value)
{
    return "0123456789ABCDEF"[value & 0xFu];
}

// Upper-case hexadecimal with at least width digits, zeros in front: every byte and check value
// the program shows reads the same way.
inline QString hexText(quint32 value, int width)
{
    QString out;
    do {
        out.prepend(QLatin1Char(hexDigitChar(value)));
        value >>= 4;
    } while (value != 0);
    if (out.size() < width)
        out.prepend(QString(width - out.size(), u'0'));
    return out;
}

// BASIC reads &H and &O literals of up to 16 bits as Integer and up to 32 bits as Long, so
// &HFFFF is -1 while &H10000 is 65536. Wider values are left as they are.
constexpr qint64 radixLiteralValue(quint64 magnitude)
{
    if (magnitude <= 0xFFFFu)
        return qint16(quint16(magnitude));
    if (magnitude <= 0xFFFFFFFFu)
        return qint32(quint32(magnitude));
    return qint64(magnitude);
}
