// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/receivewriter.h"

#include "core/hexdigit.h"

#include <QByteArray>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// Each item in UTF-8 in place, so a step copies a few bytes per byte and allocates nothing.
struct Item
{
    std::array<char, 4> utf8 {};
    qsizetype size = 0;
};
using ItemTable = std::array<Item, 256>;

// The three areas' items with their blank, then the byte list's digits.
const ItemTable &itemTable(ReceiveWriter::Form form, ReceiveFormatter::Kind kind)
{
    static const std::array<ItemTable, 4> tables = [] {
        std::array<ItemTable, 4> t;
        for (int b = 0; b < 256; ++b) {
            for (int k = 0; k < 3; ++k) {
                const QByteArray item
                    = ReceiveFormatter::item(ReceiveFormatter::Kind(k), uchar(b)).toUtf8() + ' ';
                Q_ASSERT(item.size() <= 4);
                std::copy(item.begin(), item.end(), t[k][b].utf8.begin());
                t[k][b].size = item.size();
            }
            t[3][b] = Item {{hexDigitChar(unsigned(b) >> 4), hexDigitChar(unsigned(b))}, 2};
        }
        return t;
    }();
    return tables[form == ReceiveWriter::Form::ByteList ? 3 : int(kind)];
}

char *put(char *out, const char *piece, qsizetype size)
{
    std::memcpy(out, piece, std::size_t(size));
    return out + size;
}

} // namespace

ReceiveWriter::ReceiveWriter(Form form, ReceiveFormatter::Kind kind, Range range)
    : m_form(form)
    , m_kind(kind)
    , m_range(range)
    , m_byte(range.firstByte)
    , m_break(range.firstBreak)
{ }

qsizetype ReceiveWriter::room() const
{
    const qsizetype bytes = m_range.endByte - m_range.firstByte;
    const qsizetype breaks = m_range.endBreak - m_range.firstBreak;
    // A byte list puts "," or, where the line breaks, one CR LF between two bytes: no more than a
    // character a byte and one a break.
    if (m_form == Form::ByteList)
        return 3 * bytes + breaks;
    qsizetype widest = 0;
    for (const Item &item : itemTable(m_form, m_kind))
        widest = std::max(widest, item.size);
    return widest * bytes + 2 * breaks;
}

void ReceiveWriter::write(std::span<char> out, QByteArrayView bytes,
    const std::vector<qsizetype> &lineBreaks, qsizetype maxBytes)
{
    Q_ASSERT(qsizetype(out.size()) >= room());
    const auto *data = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype end = m_range.endByte - m_byte > maxBytes ? m_byte + maxBytes : m_range.endByte;
    if (m_form == Form::ByteList)
        writeByteList(out.data(), data, lineBreaks.data(), end);
    else
        writeAreaText(out.data(), data, lineBreaks.data(), end);
}

void ReceiveWriter::writeAreaText(
    char *out, const uchar *data, const qsizetype *breaks, qsizetype end)
{
    const ItemTable &items = itemTable(m_form, m_kind);
    char *at = out + m_written;
    for (; m_byte < end; ++m_byte) {
        for (; m_break < m_range.endBreak && breaks[m_break] <= m_byte; ++m_break)
            at = put(at, "\r\n", 2);
        const Item &item = items[data[m_byte]];
        at = put(at, item.utf8.data(), item.size);
    }
    if (m_byte == m_range.endByte) {
        for (; m_break < m_range.endBreak; ++m_break)
            at = put(at, "\r\n", 2);
    }
    m_written = at - out;
}

void ReceiveWriter::writeByteList(
    char *out, const uchar *data, const qsizetype *breaks, qsizetype end)
{
    const ItemTable &items = itemTable(m_form, m_kind);
    char *at = out + m_written;
    for (; m_byte < end; ++m_byte) {
        bool broken = false;
        for (; m_break < m_range.endBreak && breaks[m_break] <= m_byte; ++m_break)
            broken = true;
        // Breaks before the first byte and runs of breaks give no empty line.
        if (m_byte > m_range.firstByte)
            at = broken ? put(at, "\r\n", 2) : put(at, ",", 1);
        at = put(at, items[data[m_byte]].utf8.data(), 2);
    }
    // Nor do the breaks after the last byte.
    if (m_byte == m_range.endByte)
        m_break = m_range.endBreak;
    m_written = at - out;
}
