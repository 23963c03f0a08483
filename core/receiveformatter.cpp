// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/receiveformatter.h"

#include "core/hexdigit.h"
#include "core/receivewriter.h"

#include <QByteArray>

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
    ReceiveWriter writer(ReceiveWriter::Form::ByteList, Kind::Hexadecimal,
        {0, bytes.size(), 0, qsizetype(lineBreaks.size())});
    QByteArray out(writer.room(), Qt::Uninitialized);
    writer.write(out, bytes, lineBreaks, bytes.size());
    return QString::fromLatin1(QByteArrayView(out).first(writer.written()));
}
