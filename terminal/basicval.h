// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

// The number reading of a send-line item, the classic BASIC Val rule: blanks, tabs and line
// feeds are ignored wherever they stand; the longest leading number is read (&H hexadecimal,
// &O octal, or sign, digits, point, digits and an E or D exponent with optional sign); the rest
// is ignored and a text with no number reads 0. &H and &O values up to FFFF are 16-bit two's
// complement, up to FFFFFFFF 32-bit. Never throws: a value Val would overflow on comes back
// larger than any byte (infinity, or the unwrapped hexadecimal or octal value).
class BasicVal
{
public:
    static double read(QStringView text);
};
