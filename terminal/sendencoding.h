// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// The bytes a send line puts on the wire, exactly; nothing is framed or escaped.
// ascii(): the text in Big5 (a character Big5 lacks becomes 3F), one 0D after it when sendOpt1 is
// "1". decimal() and hexadecimal(): one byte per comma-separated item, as many bytes as commas
// plus one, an empty item giving 00. A decimal item is read as a number and rounded half to even,
// a hexadecimal item is read as "&H" followed by the item. Both throw
// RunTimeError{ErrorNumber::DataError} for a value outside 0 to 255 or a line of 32767 characters
// or more, before any byte could be written.
class SendEncoding
{
public:
    static QByteArray ascii(const QString &text, const QString &sendOpt1);
    static QByteArray decimal(const QString &text);
    static QByteArray hexadecimal(const QString &text);
};
