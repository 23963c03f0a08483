// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary text through the number reading and the decimal and hexadecimal send lines.
#include "fuzzcheck.h"
#include "settings/runtimeerror.h"
#include "terminal/basicval.h"
#include "terminal/sendencoding.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>
#include <cstdlib>
#include <optional>

namespace {

using Encoder = QByteArray (*)(const QString &);

constexpr qsizetype LongestLine = 32766;

bool isIgnored(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

QString withoutBlanks(const QString &text)
{
    QString out;
    for (QChar c : text) {
        if (!isIgnored(c))
            out.append(c);
    }
    return out;
}

// nullopt for a data error; any other way out is a finding.
std::optional<QByteArray> encode(Encoder encoder, const QString &text)
{
    try {
        return encoder(text);
    } catch (const RunTimeError &error) {
        check(error.number == ErrorNumber::DataError, "encoders fail with DataError only", text);
        return std::nullopt;
    }
}

bool sameResult(const std::optional<QByteArray> &a, const std::optional<QByteArray> &b)
{
    return a.has_value() == b.has_value() && (!a || *a == *b);
}

void checkRead(const QString &text)
{
    const double value = BasicVal::read(text);
    check(!std::isnan(value), "Val never gives NaN", text);

    // The first non-blank character decides the form; only a decimal number can overflow to
    // infinity downwards, and only with its own minus sign.
    qsizetype first = 0;
    while (first < text.size() && isIgnored(text[first]))
        ++first;
    const QStringView rest = QStringView(text).mid(first);
    const bool radix
        = rest.size() >= 2 && rest[0] == u'&' && QStringLiteral("HhOo").contains(rest[1]);
    if (value == -HUGE_VAL)
        check(!radix && rest.startsWith(u'-'), "-inf only from a negative decimal", text);
    if (radix) {
        check(value == std::floor(value), "&H and &O read whole numbers", text);
        check(value >= -2147483648.0, "&H and &O wrap to 32 bits at most", text);
    }

    // Blanks are ignored wherever they stand, except that one between "&" and its letter ends
    // the number.
    const QString cleaned = withoutBlanks(text);
    const bool blankAfterAmpersand = rest.size() >= 2 && rest[0] == u'&' && isIgnored(rest[1]);
    if (!blankAfterAmpersand)
        check(BasicVal::read(cleaned) == value, "blanks do not change the value", text);

    // A comma is never part of a number: what follows the first one is not read.
    const qsizetype comma = text.indexOf(u',');
    if (comma >= 0)
        check(BasicVal::read(text.left(comma)) == value, "Val stops at a comma", text);

    // The sign of a decimal number is symmetric: "-x" reads as minus "+x".
    if (!radix && !cleaned.isEmpty() && (cleaned[0] == u'-' || cleaned[0] == u'+')
        && cleaned.size() >= 2 && (cleaned[1].isDigit() || cleaned[1] == u'.')) {
        const QString mirrored = (cleaned[0] == u'-' ? u'+' : u'-') + cleaned.mid(1);
        check(BasicVal::read(mirrored) == -value, "the sign mirrors the value", text);
    }

    // A plain decimal number agrees with the C library's reading (C locale in this process).
    static const QRegularExpression plain(
        QStringLiteral(R"(^[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eEdD][+-]?[0-9]{1,6})?\z)"));
    if (cleaned.size() < 200 && plain.match(cleaned).hasMatch()) {
        QByteArray c = cleaned.toLatin1();
        c.replace('d', 'e').replace('D', 'e');
        const double reference = std::strtod(c.constData(), nullptr);
        if (std::fpclassify(reference) != FP_SUBNORMAL)
            check(value == reference, "decimal reading matches strtod", text);
    }
}

// The line properties that hold whatever the items are.
void checkLine(Encoder encoder, const QString &text, bool padded)
{
    const std::optional<QByteArray> bytes = encode(encoder, text);
    if (text.size() > LongestLine) {
        check(!bytes, "a line of 32767 characters or more is refused", text.left(40));
        return;
    }
    if (bytes)
        check(bytes->size() == text.count(u',') + 1, "one byte per comma plus one", text);

    // The line is its items one after the other; an error anywhere refuses the line.
    QByteArray joined;
    bool anyError = false;
    for (const QString &item : text.split(u',')) {
        const std::optional<QByteArray> one = encode(encoder, item);
        if (!one) {
            anyError = true;
            continue;
        }
        check(one->size() == 1, "an item without commas gives exactly one byte", item);
        joined += *one;
    }
    check(bytes.has_value() == !anyError, "a line fails exactly when one of its items fails", text);
    if (bytes)
        check(*bytes == joined, "the line is the concatenation of its items", text);

    // Blanks are ignored, so padding to the longest line changes nothing, and one more
    // character is refused. Lines that long are slow to read, so only every eighth input length
    // takes them.
    if (padded && text.size() < LongestLine) {
        const QString longest = text + QString(LongestLine - text.size(), u' ');
        check(sameResult(encode(encoder, longest), bytes), "blank padding changes nothing", text);
        check(!encode(encoder, longest + u' '), "32767 characters are refused", text);
    }
}

void checkItems(const QString &text)
{
    const std::optional<QByteArray> decimal = encode(&SendEncoding::decimal, text);
    if (text.size() <= LongestLine && !text.contains(u',')) {
        // Rounding half to even, checked from the definition: the byte is within one half of
        // the value, and an exact half goes to the even byte.
        const double value = BasicVal::read(text);
        std::optional<int> expected;
        for (int b = 0; b < 256; ++b) {
            const double distance = std::abs(value - b);
            if (distance < 0.5 || (distance == 0.5 && b % 2 == 0))
                expected = b;
        }
        check(
            decimal.has_value() == expected.has_value(), "decimal item fails outside 0-255", text);
        if (decimal)
            check(uchar(decimal->at(0)) == *expected, "decimal item rounds half to even", text);
    }

    // A hexadecimal line is the decimal line with "&H" before every item.
    const QStringList items = text.split(u',');
    const QString prefixed = QStringLiteral("&H") + items.join(QStringLiteral(",&H"));
    if (prefixed.size() <= LongestLine) {
        check(sameResult(encode(&SendEncoding::hexadecimal, text),
                  encode(&SendEncoding::decimal, prefixed)),
            "hexadecimal items read as &H numbers", text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);
    checkRead(text);
    checkLine(&SendEncoding::decimal, text, size % 8 == 0);
    checkLine(&SendEncoding::hexadecimal, text, size % 8 == 0);
    checkItems(text);
    return 0;
}
