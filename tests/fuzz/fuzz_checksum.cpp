// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary text through the calculator's conversion and its three folds and their texts.
#include "fuzzcheck.h"
#include "serial/modbusslave.h"
#include "tools/checksum.h"

#include <QStringList>

#include <optional>

namespace {

using Kind = Checksum::Kind;

// The calculator's rule for its input, written out separately: items between ASCII commas,
// each only hexadecimal digits with blanks around, worth at most FFFF; the whole not too long.
bool validInput(const QString &text)
{
    if (text.size() > Checksum::MaxInputLength)
        return false;
    for (const QString &item : text.split(u',')) {
        QString digits = item;
        while (digits.startsWith(u' '))
            digits.remove(0, 1);
        while (digits.endsWith(u' '))
            digits.chop(1);
        if (digits.isEmpty())
            return false;
        for (QChar c : digits) {
            if (!QStringLiteral("0123456789abcdefABCDEF").contains(c))
                return false;
        }
        while (digits.size() > 1 && digits.startsWith(u'0'))
            digits.remove(0, 1);
        if (digits.size() > 4)
            return false;
    }
    return true;
}

bool isUpperHex(const QString &s)
{
    for (QChar c : s) {
        if (!QStringLiteral("0123456789ABCDEF").contains(c))
            return false;
    }
    return true;
}

void checkTexts(quint16 value)
{
    const QString four = Checksum::fourDigits(value);
    check(four.size() == 4 && isUpperHex(four) && four.toUShort(nullptr, 16) == value,
        "the CRC text is four upper-case digits of the value", four);
    const QString two = Checksum::lowByteDigits(value);
    check(two.size() == 2 && isUpperHex(two) && two.toUShort(nullptr, 16) == (value & 0xFF),
        "the sum and XOR texts are two upper-case digits of the low byte", two);
    const QString codes = Checksum::characterCodes(two);
    const QString expected = QString::number(two[0].unicode(), 16).toUpper() + QStringLiteral(" ,")
        + QString::number(two[1].unicode(), 16).toUpper();
    check(codes == expected, "character codes of the first and last digit", codes);
}

// The bytes written as items in ways the calculator accepts: either case, leading zeros,
// blanks around; the shape of each item comes from the fuzz input too.
QString byteList(const QByteArray &bytes, const QByteArray &shape)
{
    QStringList items;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const uchar s = i < shape.size() ? uchar(shape[i]) : 0;
        QString item = QString::number(uchar(bytes[i]), 16);
        if (s & 1)
            item = item.toUpper();
        if (s & 2)
            item.prepend(QStringLiteral("00"));
        if (s & 4)
            item.prepend(u' ');
        if (s & 8)
            item.append(u' ');
        items.append(item);
    }
    return items.join(u',');
}

void checkFolds(const QString &text)
{
    const std::optional<quint16> crc = Checksum::fold(Kind::Crc, text);
    const std::optional<quint16> x = Checksum::fold(Kind::Xor, text);
    const std::optional<quint16> sum = Checksum::fold(Kind::Sum, text);
    check(crc.has_value() == x.has_value() && x.has_value() == sum.has_value(),
        "the three folds fail on the same inputs", text);
    check(crc.has_value() == validInput(text), "a fold fails exactly on a data error", text);
    if (!crc)
        return;
    checkTexts(*crc);
    checkTexts(*x);
    checkTexts(*sum);

    const QString twice = text + u',' + text;
    if (twice.size() <= Checksum::MaxInputLength) {
        check(Checksum::fold(Kind::Xor, twice) == quint16(0), "XOR of a list twice is 00", text);
        check(Checksum::fold(Kind::Sum, twice) == quint16(2 * *sum), "sums add up, wrapping", text);
    }
}

void checkResidue(const QByteArray &bytes, const QByteArray &shape)
{
    if (bytes.isEmpty())
        return;
    const QString list = byteList(bytes, shape);
    if (list.size() + 8 > Checksum::MaxInputLength)
        return;
    const std::optional<quint16> crc = Checksum::fold(Kind::Crc, list);
    check(crc.has_value(), "a list of bytes is accepted", list);
    check(*crc == ModbusSlave::crc16(bytes), "the calculator and the slave agree on the CRC", list);
    // A Modbus frame with its CRC appended, low byte first, leaves a zero remainder.
    const QString frame
        = list + QStringLiteral(",%1,%2").arg(*crc & 0xFF, 0, 16).arg(*crc >> 8, 0, 16);
    check(Checksum::fold(Kind::Crc, frame) == quint16(0), "a frame with its CRC folds to 0000",
        frame);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    checkFolds(fuzzText(data, size));

    const QByteArray raw(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype half = raw.size() / 2;
    checkResidue(raw.first(half), raw.sliced(half));
    return 0;
}
