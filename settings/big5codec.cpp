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
    return encoder.encode(text);
}

QString Big5Codec::decode(const QByteArray &bytes)
{
    QStringDecoder decoder("Big5");
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}
