// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary text through the number reading and the decimal send line.
#include "fuzzcheck.h"
#include "terminal/basicval.h"
#include "terminal/sendencoding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(fuzzBytes(data, size));
    // A plain decimal number reads as the C library reads it (in the C locale here).
    static const QRegularExpression plain(
        QStringLiteral(R"(^[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]{1,6})?\z)"));
    const double reference = std::strtod(qPrintable(text), nullptr);
    if (plain.match(text).hasMatch() && std::fpclassify(reference) != FP_SUBNORMAL)
        check(BasicVal::read(text) == reference, "a decimal number reads as strtod does", text);
    // A decimal line is its items rounded half to even (as std::nearbyint does) into bytes.
    std::optional<QByteArray> bytes = QByteArray();
    for (const QString &item : text.split(u',')) {
        const double b = std::nearbyint(BasicVal::read(item));
        bytes = bytes && b >= 0 && b <= 255 ? std::optional(*bytes + char(int(b))) : std::nullopt;
    }
    check(attempt([&] { return SendEncoding::decimal(text); }, ErrorNumber::DataError) == bytes,
        "a decimal line is its items", text);
    return 0;
}
