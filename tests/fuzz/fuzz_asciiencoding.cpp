// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary text through the ASCII send line: ASCII as itself, everything else in Big5 or "?".
#include "core/big5codec.h"
#include "fuzzcheck.h"
#include "terminal/sendencoding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(fuzzBytes(data, size)); // surrogates come in pairs
    const QByteArray line = SendEncoding::ascii(text, QStringLiteral("0"));
    check(SendEncoding::ascii(text, QStringLiteral("1")) == line + '\r', "\"1\" adds 0D", text);
    // Big5 has no shift state: the line is its characters sent one by one, decoding back with "?"s.
    QByteArray joined;
    QString back;
    for (qsizetype i = 0, n = 1; i < text.size(); i += n) {
        n = text[i].isHighSurrogate() ? 2 : 1;
        joined += SendEncoding::ascii(text.mid(i, n), QStringLiteral("0"));
        back += joined.endsWith('?') ? QStringLiteral("?") : text.mid(i, n);
    }
    check(line == joined && Big5Codec::decode(line) == back, "the line decodes back", text);
    return 0;
}
