// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/big5codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

QByteArray Big5Codec::encode(const QString &text)
{
    // Constructed by name: Qt's own encoding table does not know Big5, the ICU backend does.
    QStringEncoder encoder("Big5");
    if (!encoder.isValid()) {
        QByteArray out;
        out.reserve(text.size());
        for (QChar c : text)
            out.append(c.unicode() < 0x80 ? char(c.unicode()) : '?');
        return out;
    }
    // The converter keeps a high surrogate at the end waiting for its pair and never flushes it,
    // so a lone surrogate would vanish instead of becoming "?".
    QString whole = text;
    for (qsizetype i = 0; i < whole.size(); ++i) {
        if (whole[i].isHighSurrogate() && i + 1 < whole.size() && whole[i + 1].isLowSurrogate())
            ++i;
        else if (whole[i].isSurrogate())
            whole[i] = u'?';
    }
    return encoder.encode(whole);
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
