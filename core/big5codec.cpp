// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/big5codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

QByteArray Big5Codec::encode(const QString &text)
{
    // Constructed by name: Qt's own encoding table does not know Big5, the ICU backend does.
    QStringEncoder encoder("Big5", QStringConverter::Flag::Stateless);
    QByteArray out;
    if (!encoder.isValid()) {
        for (QChar c : text)
            out.append(c.unicode() < 0x80 ? char(c.unicode()) : '?');
        return out;
    }
    // One character at a time: the converter gives no bytes at all for the characters Unicode
    // calls ignorable (zero-width space, soft hyphen, byte-order mark) and for a high surrogate
    // at the end, where every character Big5 lacks must still become "?". Big5 has no shift
    // state, so this is the same as converting the whole text.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() < 0x80) {
            out.append(char(c.unicode()));
            continue;
        }
        const qsizetype n
            = c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        const QByteArray bytes = encoder.encode(QStringView(text).mid(i, n));
        out.append(bytes.isEmpty() ? QByteArray("?") : bytes);
        i += n - 1;
    }
    return out;
}

QString Big5Codec::decode(const QByteArray &bytes)
{
    QStringDecoder decoder("Big5");
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    // A lead byte at the end waits for its trail byte and is never flushed; a line feed, which
    // is no trail byte, makes it come out as U+FFFD and is then dropped again.
    QString text = decoder.decode(bytes + '\n');
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text;
}
