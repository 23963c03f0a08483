// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary text against references of their own: numbers against the C library, the calculator's
// CRC (over arbitrary bytes as a list) against the remainder rule.
#include "core/crc16.h"
#include "fuzzcheck.h"
#include "terminal/basicval.h"
#include "tools/checksum.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const QString text = QString::fromUtf8(bytes);

    // A plain decimal number reads as the C library reads it (in the C locale here).
    static const QRegularExpression plain(
        QStringLiteral(R"(^[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]{1,6})?\z)"));
    const double reference = std::strtod(qPrintable(text), nullptr);
    if (plain.match(text).hasMatch() && std::fpclassify(reference) != FP_SUBNORMAL)
        check(BasicVal::read(text) == reference, "a decimal number reads as strtod does", text);

    // CRC-16/MODBUS leaves no remainder over a frame that ends in its CRC, low byte first.
    const quint16 crc = Crc16::modbus(bytes);
    const QString frame = (bytes + char(crc & 0xFF) + char(crc >> 8)).toHex(',');
    if (size > 0 && frame.size() <= Checksum::MaxInputLength)
        check(Checksum::fold(Checksum::Kind::Crc, frame.chopped(6)) == crc
                && Checksum::fold(Checksum::Kind::Crc, frame) == 0,
            "the calculator's CRC is the byte fold's, and leaves no remainder", text);
    return 0;
}
