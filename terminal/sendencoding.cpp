// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/sendencoding.h"

#include "core/big5codec.h"
#include "core/runtimeerror.h"
#include "terminal/basicval.h"

#include <cmath>

namespace {

// The line's counters are 16-bit: a line this long cannot be scanned.
constexpr qsizetype MaxLineLength = 32766;

char checkedByte(double value)
{
    if (!(value >= 0 && value <= 255))
        throw RunTimeError {ErrorNumber::DataError, {}};
    return char(static_cast<unsigned char>(value));
}

// Splitting at the ASCII comma only; an empty item, including the one after a trailing comma,
// converts to 0, so every comma adds exactly one byte.
template<class Convert> QByteArray encodeItems(const QString &text, Convert convert)
{
    if (text.size() > MaxLineLength)
        throw RunTimeError {ErrorNumber::DataError, {}};
    QByteArray bytes;
    for (QStringView item : QStringView(text).tokenize(u',', Qt::KeepEmptyParts))
        bytes.append(item.isEmpty() ? '\0' : checkedByte(convert(item)));
    return bytes;
}

} // namespace

QByteArray SendEncoding::ascii(const QString &text, const QString &sendOpt1)
{
    QByteArray bytes = Big5Codec::encode(text);
    if (sendOpt1 == u"1")
        bytes.append('\r');
    return bytes;
}

QByteArray SendEncoding::decimal(const QString &text)
{
    // std::nearbyint in the default rounding mode rounds an exact half to the even neighbour.
    return encodeItems(text, [](QStringView item) { return std::nearbyint(BasicVal::read(item)); });
}

QByteArray SendEncoding::hexadecimal(const QString &text)
{
    return encodeItems(text, [](QStringView item) {
        QString number = QStringLiteral("&H");
        number.append(item);
        return BasicVal::read(number);
    });
}
