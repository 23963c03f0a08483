// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary text through the calculator's folds, and arbitrary bytes as a list to its CRC.
#include "core/crc16.h"
#include "fuzzcheck.h"
#include "tools/checksum.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const QString text = QString::fromUtf8(bytes);
    // Items of hexadecimal digits worth at most FFFF, with blanks around, between commas.
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
    return 0;
}
