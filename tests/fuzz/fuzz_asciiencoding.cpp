// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary text through the ASCII send line: ASCII as itself, everything else in Big5 or "?".
#include "fuzzcheck.h"
#include "settings/big5codec.h"
#include "terminal/sendencoding.h"

#include <QStringList>

#include <cstring>

namespace {

bool isAscii(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

// The text cut into code points, a surrogate pair staying whole and a lone surrogate alone.
QStringList codePoints(const QString &text)
{
    QStringList out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out.append(text.mid(i, 2));
            ++i;
        } else {
            out.append(text.mid(i, 1));
        }
    }
    return out;
}

void checkText(const QString &text)
{
    const QByteArray plain = SendEncoding::ascii(text, QStringLiteral("0"));

    // Only exactly "1" adds the carriage return; any other option sends the text alone.
    check(SendEncoding::ascii(text, QStringLiteral("1")) == plain + '\r', "\"1\" appends one 0D",
        text);
    for (const char16_t *other : {u"", u" 1", u"1 ", u"01", u"１", u"true", u"-1"})
        check(SendEncoding::ascii(text, QString::fromUtf16(other)) == plain,
            "only \"1\" appends a line end", text);

    if (isAscii(text))
        check(plain == text.toLatin1(), "ASCII text goes out as its own bytes", text);

    // Big5 has no shift state: the line is its characters encoded one by one, each ASCII
    // character as itself, every other as one Big5 character or one "?".
    const QStringList characters = codePoints(text);
    QByteArray joined;
    QString expectedBack;
    for (const QString &c : characters) {
        const QByteArray one = SendEncoding::ascii(c, QStringLiteral("0"));
        if (c.size() == 1 && c[0].unicode() < 0x80) {
            check(one == QByteArray(1, char(c[0].unicode())), "ASCII maps to itself", c);
            expectedBack += c;
        } else if (one == "?") {
            expectedBack += u'?';
        } else {
            // The code page also has a few single bytes above 7F (80 is U+0080).
            const bool pair = one.size() == 2 && Big5Codec::isLeadByte(uchar(one[0]));
            const bool single = one.size() == 1 && uchar(one[0]) >= 0x80;
            check(pair || single, "a non-ASCII character becomes one Big5 character or ?", c);
            check(Big5Codec::decode(one) == c, "a Big5 character decodes back to itself", c);
            expectedBack += c;
        }
        joined += one;
    }
    check(plain == joined, "the line is its characters encoded one by one", text);
    check(text.isEmpty() || !plain.isEmpty(), "a non-empty text sends bytes", text);
    check(Big5Codec::decode(plain) == expectedBack,
        "the bytes decode back to the text, unmappable characters as ?", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // As UTF-8 the text is always valid; as UTF-16 it also holds lone surrogates.
    checkText(fuzzText(data, size));

    // Received bytes decode with nothing lost: every byte, or pair of bytes, gives a character.
    const QByteArray raw(reinterpret_cast<const char *>(data), qsizetype(size));
    check(Big5Codec::decode(raw).size() >= (raw.size() + 1) / 2, "no byte vanishes in decoding",
        QString::fromLatin1(raw));
    QString units(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(units.data(), data, size_t(units.size()) * 2);
    checkText(units);
    return 0;
}
