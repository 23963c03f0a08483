// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary text through every line a user types: numbers and the decimal send line, the ASCII
// send line, the calculator (and arbitrary bytes as a list to its CRC), the settings string.
#include "core/big5codec.h"
#include "core/crc16.h"
#include "fuzzcheck.h"
#include "serial/linesettings.h"
#include "terminal/basicval.h"
#include "terminal/sendencoding.h"
#include "tools/checksum.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const QString text = QString::fromUtf8(bytes); // surrogates come in pairs

    // A plain decimal number reads as the C library reads it (in the C locale here).
    static const QRegularExpression plain(
        QStringLiteral(R"(^[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]{1,6})?\z)"));
    const double reference = std::strtod(qPrintable(text), nullptr);
    if (plain.match(text).hasMatch() && std::fpclassify(reference) != FP_SUBNORMAL)
        check(BasicVal::read(text) == reference, "a decimal number reads as strtod does", text);
    // A decimal line is its items rounded half to even (as std::nearbyint does) into bytes.
    std::optional<QByteArray> items = QByteArray();
    for (const QString &item : text.split(u',')) {
        const double b = std::nearbyint(BasicVal::read(item));
        items = items && b >= 0 && b <= 255 ? std::optional(*items + char(int(b))) : std::nullopt;
    }
    check(attempt([&] { return SendEncoding::decimal(text); }, ErrorNumber::DataError) == items,
        "a decimal line is its items", text);

    // The ASCII line: ASCII as itself, everything else in Big5 or "?". Big5 has no shift state:
    // the line is its characters sent one by one, decoding back with "?"s.
    const QByteArray line = SendEncoding::ascii(text, QStringLiteral("0"));
    check(SendEncoding::ascii(text, QStringLiteral("1")) == line + '\r', "\"1\" adds 0D", text);
    QByteArray joined;
    QString back;
    for (qsizetype i = 0, n = 1; i < text.size(); i += n) {
        n = text[i].isHighSurrogate() ? 2 : 1;
        joined += SendEncoding::ascii(text.mid(i, n), QStringLiteral("0"));
        back += joined.endsWith('?') ? QStringLiteral("?") : text.mid(i, n);
    }
    check(line == joined && Big5Codec::decode(line) == back, "the line decodes back", text);

    // The calculator: items of hexadecimal digits worth at most FFFF, blanks around, commas
    // between.
    static const QRegularExpression list(
        QStringLiteral(R"(^ *0*[0-9A-Fa-f]{1,4} *(, *0*[0-9A-Fa-f]{1,4} *)*\z)"));
    const bool valid = text.size() <= Checksum::MaxInputLength && list.match(text).hasMatch();
    for (auto kind : {Checksum::Kind::Crc, Checksum::Kind::Xor, Checksum::Kind::Sum})
        check(Checksum::fold(kind, text).has_value() == valid, "folds fail on data errors", text);
    // CRC-16/MODBUS leaves no remainder over a frame that ends in its CRC, low byte first.
    const quint16 crc = Crc16::modbus(bytes);
    const QString frame = (bytes + char(crc & 0xFF) + char(crc >> 8)).toHex(',');
    if (size > 0 && frame.size() <= Checksum::MaxInputLength)
        check(Checksum::fold(Checksum::Kind::Crc, frame.chopped(6)) == crc
                && Checksum::fold(Checksum::Kind::Crc, frame) == 0,
            "the calculator's CRC is the byte fold's, and leaves no remainder", text);

    // A settings string: four fields, blanks around: speed 1 to 2^31-1, parity n e o m s, 5 to 8
    // data bits, stop bits 1, 1.5 or 2; what is read is what was written.
    QStringList f = text.split(u',');
    for (QString &field : f)
        field = field.trimmed().toLower();
    static const QRegularExpression rule(
        QStringLiteral(R"(^0*([1-9][0-9]{0,9})(,[neoms],[5-8],(1|1\.5|2))\z)"));
    const auto m = rule.match(f.join(u','));
    const auto s
        = attempt([&] { return LineSettings::parse(text); }, ErrorNumber::InvalidPropertyValue);
    check(s ? QString::number(s->speed) + u',' + u"neoms"[int(s->parity)] + u','
                    + QString::number(s->dataBits) + u','
                    + QString::number(1 + 0.5 * int(s->stopBits))
                == m.captured(1) + m.captured(2)
            : !m.hasMatch() || m.captured(1).toLongLong() >= 1LL << 31,
        "a settings string is read by the rule", text);
    return 0;
}
