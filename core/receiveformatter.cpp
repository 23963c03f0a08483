// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/receiveformatter.h"

#include "core/hexdigit.h"

#include <array>

namespace {

QString makeItem(ReceiveFormatter::Kind kind, uchar byte)
{
    switch (kind) {
    case ReceiveFormatter::Kind::Decimal:
        return QString::number(byte);
    case ReceiveFormatter::Kind::Hexadecimal:
        return hexText(byte, 1);
    case ReceiveFormatter::Kind::Character:
        break;
    }
    // Control codes as their Unicode pictures, so CR and LF never break the character area's line
    // and the three areas keep the same rows; a lone byte above 127 is no Big5 character.
    if (byte < 0x20)
        return QString(QChar(0x2400 + byte));
    if (byte == 0x7F)
        return QString(QChar(0x2421));
    if (byte > 0x7F)
        return QString(QChar(0x00B7));
    return QString(QChar(byte));
}

using ItemTable = std::array<QString, 256>;

const ItemTable &itemTable(ReceiveFormatter::Kind kind)
{
    static const std::array<ItemTable, 3> tables = [] {
        std::array<ItemTable, 3> t;
        for (int k = 0; k < 3; ++k) {
            for (int b = 0; b < 256; ++b)
                t[k][b] = makeItem(ReceiveFormatter::Kind(k), uchar(b));
        }
        return t;
    }();
    return tables[int(kind)];
}

} // namespace

QString ReceiveFormatter::item(Kind kind, uchar byte)
{
    return itemTable(kind)[byte];
}

QString ReceiveFormatter::text(
    Kind kind, QByteArrayView bytes, const std::vector<qsizetype> &lineBreaks)
{
    const ItemTable &items = itemTable(kind);
    const auto *data = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype count = bytes.size();

    qsizetype length = 2 * qsizetype(lineBreaks.size());
    for (qsizetype i = 0; i < count; ++i)
        length += items[data[i]].size() + 1;

    QString out;
    out.reserve(length);
    std::size_t nextBreak = 0;
    for (qsizetype i = 0; i < count; ++i) {
        for (; nextBreak < lineBreaks.size() && lineBreaks[nextBreak] <= i; ++nextBreak)
            out += QLatin1String("\r\n");
        out += items[data[i]];
        out += QLatin1Char(' ');
    }
    for (; nextBreak < lineBreaks.size(); ++nextBreak)
        out += QLatin1String("\r\n");
    return out;
}

QString ReceiveFormatter::byteList(QByteArrayView bytes, const std::vector<qsizetype> &lineBreaks)
{
    QString out;
    out.reserve(3 * bytes.size() + 2 * qsizetype(lineBreaks.size()));
    std::size_t nextBreak = 0;
    bool lineStarted = false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        bool broken = false;
        for (; nextBreak < lineBreaks.size() && lineBreaks[nextBreak] <= i; ++nextBreak)
            broken = true;
        if (lineStarted)
            out += broken ? QLatin1String("\r\n") : QLatin1String(",");
        const auto byte = uchar(bytes[i]);
        out += QLatin1Char(hexDigitChar(byte >> 4));
        out += QLatin1Char(hexDigitChar(byte));
        lineStarted = true;
    }
    return out;
}
