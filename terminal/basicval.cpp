// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/basicval.h"

#include "core/hexdigit.h"

#include <QByteArray>
#include <QString>

#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool isIgnored(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isDecimalDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Reads the digits after &H or &O. Leading zeros do not widen the value: &H0000FFFF is -1 like
// &HFFFF, the width follows the magnitude.
double readRadix(QStringView digits, int radix)
{
    double value = 0;
    for (QChar ch : digits) {
        const char16_t c = ch.unicode();
        const int d = hexDigitValue(c);
        if (d < 0 || d >= radix)
            break;
        value = value * radix + d;
    }
    return value <= 0xFFFFFFFFu ? double(radixLiteralValue(quint64(value))) : value;
}

double readDecimal(QStringView s)
{
    QByteArray number;
    qsizetype i = 0;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        number.append(char(s[i++].unicode()));
    qsizetype mantissaDigits = 0;
    // The power of ten of the first significant digit, to tell an overflow from an underflow.
    qsizetype integerDigits = 0;
    qsizetype fractionZeros = 0;
    bool significant = false;
    while (i < s.size() && isDecimalDigit(s[i].unicode())) {
        if (integerDigits > 0 || s[i] != u'0')
            ++integerDigits;
        number.append(char(s[i++].unicode()));
        ++mantissaDigits;
    }
    if (i < s.size() && s[i] == u'.') {
        number.append('.');
        ++i;
        while (i < s.size() && isDecimalDigit(s[i].unicode())) {
            if (integerDigits == 0 && !significant) {
                if (s[i] == u'0')
                    ++fractionZeros;
                else
                    significant = true;
            }
            number.append(char(s[i++].unicode()));
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return 0;

    // An exponent counts only with at least one digit; "1E" and "1E+" read as 1.
    long long exponent = 0;
    if (i < s.size() && (s[i] == u'E' || s[i] == u'e' || s[i] == u'D' || s[i] == u'd')) {
        qsizetype j = i + 1;
        bool negative = false;
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-'))
            negative = s[j++] == u'-';
        if (j < s.size() && isDecimalDigit(s[j].unicode())) {
            number.append('e');
            if (negative)
                number.append('-');
            while (j < s.size() && isDecimalDigit(s[j].unicode())) {
                number.append(char(s[j].unicode()));
                if (exponent < 100000)
                    exponent = exponent * 10 + (s[j].unicode() - u'0');
                ++j;
            }
            if (negative)
                exponent = -exponent;
        }
    }

    // from_chars, not strtod: the C library's number format follows the user's locale.
    const char *first = number.constData();
    if (*first == '+')
        ++first;
    double value = 0;
    const std::errc ec = std::from_chars(first, number.constData() + number.size(), value).ec;
    if (ec == std::errc::result_out_of_range) {
        const bool negative = number.startsWith('-');
        const long long order
            = (integerDigits > 0 ? integerDigits - 1 : -fractionZeros - 1) + exponent;
        const double magnitude = order > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        return negative ? -magnitude : magnitude;
    }
    return value;
}

} // namespace

double BasicVal::read(QStringView text)
{
    // A blank between "&" and the radix letter ends the number ("& HF" reads 0), so only the
    // text after a leading "&" and its letter is cleaned of blanks.
    qsizetype start = 0;
    while (start < text.size() && isIgnored(text[start].unicode()))
        ++start;
    QStringView rest = text.mid(start);
    int radix = 10;
    if (rest.size() >= 2 && rest[0] == u'&') {
        const char16_t letter = rest[1].unicode();
        if (letter == u'H' || letter == u'h')
            radix = 16;
        else if (letter == u'O' || letter == u'o')
            radix = 8;
        if (radix != 10)
            rest = rest.mid(2);
    }

    QString cleaned;
    for (QChar c : rest) {
        if (!isIgnored(c.unicode()))
            cleaned.append(c);
    }
    if (radix != 10)
        return readRadix(cleaned, radix);
    return readDecimal(cleaned);
}
