// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary text as a settings string and as a port number.
#include "fuzzcheck.h"
#include "serial/linesettings.h"
#include "serial/portnumber.h"
#include "settings/runtimeerror.h"

#include <QRegularExpression>
#include <QStringList>

#include <optional>

namespace {

QString serialised(const LineSettings &s)
{
    static const char *const parities[] = {"n", "e", "o", "m", "s"};
    static const char *const stops[] = {"1", "1.5", "2"};
    return QStringLiteral("%1,%2,%3,%4")
        .arg(s.speed)
        .arg(QLatin1String(parities[int(s.parity)]))
        .arg(s.dataBits)
        .arg(QLatin1String(stops[int(s.stopBits)]));
}

std::optional<LineSettings> parse(const QString &text)
{
    try {
        return LineSettings::parse(text);
    } catch (const RunTimeError &error) {
        check(error.number == ErrorNumber::InvalidPropertyValue,
            "a refused settings string is error 380", text);
        return std::nullopt;
    }
}

// The accepted form written out on its own: four fields, a decimal speed from 1 to 2^31-1,
// one of n e o m s, five to eight data bits, one, one and a half or two stop bits.
bool acceptable(const QString &text)
{
    const QStringList f = text.split(u',');
    if (f.size() != 4)
        return false;
    static const QRegularExpression speed(QStringLiteral("^0*([1-9][0-9]{0,9})\\z"));
    const auto m = speed.match(f[0].trimmed());
    if (!m.hasMatch() || m.captured(1).toLongLong() > 2147483647)
        return false;
    static const QRegularExpression rest(QStringLiteral("^[nNeEoOmMsS],[5-8],(1|1\\.5|2)\\z"));
    return rest.match(f[1].trimmed() + u',' + f[2].trimmed() + u',' + f[3].trimmed()).hasMatch();
}

void checkLineSettings(const QString &text)
{
    const std::optional<LineSettings> s = parse(text);
    check(s.has_value() == acceptable(text), "a settings string is accepted by the rule", text);
    if (!s)
        return;
    check(s->speed > 0, "speed is positive", text);
    check(s->dataBits >= 5 && s->dataBits <= 8, "five to eight data bits", text);
    const QString again = serialised(*s);
    const std::optional<LineSettings> back = parse(again);
    check(back.has_value() && *back == *s, "an accepted string written out reads the same", text);
}

std::optional<qint16> portNumber(const QString &text)
{
    try {
        return PortNumber::fromText(text);
    } catch (const RunTimeError &error) {
        check(error.number == ErrorNumber::TypeMismatch || error.number == ErrorNumber::Overflow,
            "a refused port number is error 13 or 6", text);
        return std::nullopt;
    }
}

void checkPortNumber(const QString &text)
{
    const std::optional<qint16> n = portNumber(text);

    // A whole number with blanks around, worked out digit by digit.
    static const QRegularExpression integer(QStringLiteral("^[ \\t]*([+-]?)0*([0-9]+)[ \\t]*\\z"));
    if (const auto m = integer.match(text); m.hasMatch()) {
        const QString digits = m.captured(2);
        const bool negative = m.captured(1) == u"-";
        std::optional<qint64> expected;
        if (digits.size() <= 6) {
            const qint64 v = negative ? -digits.toLongLong() : digits.toLongLong();
            if (v >= -32768 && v <= 32767)
                expected = v;
        }
        check(
            n.has_value() == expected.has_value(), "an integer converts exactly in 16 bits", text);
        if (n) {
            check(*n == *expected, "an integer converts to itself", text);
        } else {
            try {
                PortNumber::fromText(text);
            } catch (const RunTimeError &error) {
                check(
                    error.number == ErrorNumber::Overflow, "an integer too large is error 6", text);
            }
        }
    }

    // A fraction with a few digits, rounded half to even in integer arithmetic.
    static const QRegularExpression fraction(
        QStringLiteral("^([+-]?)([0-9]{1,5})\\.([0-9]{1,6})\\z"));
    if (const auto m = fraction.match(text); m.hasMatch()) {
        const qint64 whole = m.captured(2).toLongLong();
        const QString frac = m.captured(3);
        qint64 scale = 1;
        for (int i = 0; i < frac.size(); ++i)
            scale *= 10;
        const qint64 part = frac.toLongLong();
        qint64 r = whole;
        if (2 * part > scale || (2 * part == scale && whole % 2 == 1))
            ++r;
        if (m.captured(1) == u"-")
            r = -r;
        const bool fits = r >= -32768 && r <= 32767;
        check(n.has_value() == fits, "a fraction converts when it rounds into 16 bits", text);
        if (n)
            check(*n == r, "a fraction rounds half to even", text);
    }

    // Blanks around the number never matter.
    check(portNumber(QStringLiteral("  ") + text + QStringLiteral(" \t")) == n,
        "blanks around a port number are ignored", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);
    checkLineSettings(text);
    checkPortNumber(text);
    return 0;
}
