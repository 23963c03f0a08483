// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/receivetext.h"

#include <algorithm>

namespace {

constexpr qsizetype BlockBytes = 4096;

} // namespace

ReceiveText::ReceiveText(const ReceiveLog *log, ReceiveFormatter::Kind kind)
    : m_log(log)
    , m_kind(kind)
{
    for (int b = 0; b < 256; ++b) {
        m_itemChars[size_t(b)] = ReceiveFormatter::item(kind, uchar(b)).size() + 1;
        if (b > 0) {
            for (qsizetype k = m_itemChars[size_t(b) - 1]; k < m_itemChars[size_t(b)]; ++k)
                m_steps.push_back(uchar(b));
        }
    }
}

qsizetype ReceiveText::breaksBefore(qsizetype token) const
{
    if (!m_log)
        return 0;
    // Break k is token breaks[k] + k; those tokens rise with k.
    const auto &breaks = m_log->lineBreaks();
    std::size_t low = 0;
    std::size_t high = breaks.size();
    while (low < high) {
        const std::size_t mid = (low + high) / 2;
        if (breaks[mid] + qsizetype(mid) < token)
            low = mid + 1;
        else
            high = mid;
    }
    return qsizetype(low);
}

qsizetype ReceiveText::tokenOfByte(qsizetype byte) const
{
    if (!m_log)
        return byte;
    const auto &breaks = m_log->lineBreaks();
    return byte + (std::upper_bound(breaks.begin(), breaks.end(), byte) - breaks.begin());
}

ReceiveWriter::Range ReceiveText::range(qsizetype from, qsizetype to) const
{
    const qsizetype firstBreak = breaksBefore(from);
    const qsizetype endBreak = breaksBefore(to);
    return {from - firstBreak, to - endBreak, firstBreak, endBreak};
}

ReceiveText::Part ReceiveText::part(qsizetype from, qsizetype to) const
{
    if (!m_log || from >= to)
        return {};
    const ReceiveWriter::Range r = range(from, to);
    const auto &breaks = m_log->lineBreaks();
    Part part;
    part.bytes = QByteArrayView(m_log->bytes()).sliced(r.firstByte, r.endByte - r.firstByte);
    part.breaks.reserve(std::size_t(r.endBreak - r.firstBreak));
    for (qsizetype k = r.firstBreak; k < r.endBreak; ++k)
        part.breaks.push_back(breaks[std::size_t(k)] - r.firstByte);
    return part;
}

QString ReceiveText::slice(qsizetype from, qsizetype to) const
{
    const Part p = part(from, to);
    return ReceiveFormatter::text(m_kind, p.bytes, p.breaks);
}

qsizetype ReceiveText::itemCharsBefore(qsizetype byte) const
{
    const auto *data = reinterpret_cast<const uchar *>(m_log->bytes().constData());
    if (m_clearsSeen != m_log->clears()) {
        m_clearsSeen = m_log->clears();
        m_blockChars.clear();
    }
    if (m_blockChars.empty())
        m_blockChars.push_back(0);
    const qsizetype block = byte / BlockBytes;
    while (qsizetype(m_blockChars.size()) <= block) {
        const uchar *first = data + (qsizetype(m_blockChars.size()) - 1) * BlockBytes;
        m_blockChars.push_back(m_blockChars.back() + blockChars(first));
    }
    qsizetype chars = m_blockChars[size_t(block)];
    for (qsizetype b = block * BlockBytes; b < byte; ++b)
        chars += m_itemChars[data[b]];
    return chars;
}

qsizetype ReceiveText::blockChars(const uchar *data) const
{
    // Every kind's items only grow with the byte (a character, one digit, two, three), so a block
    // holds its bytes times the longest item, less one character for every byte below each step
    // in length. Counting compares is what the compiler turns into vector code: a 100 MB log in a
    // few milliseconds.
    qsizetype chars = BlockBytes * m_itemChars[255];
    for (const uchar step : m_steps) {
        int below = 0;
        for (qsizetype b = 0; b < BlockBytes; ++b)
            below += data[b] < step;
        chars -= below;
    }
    return chars;
}

qsizetype ReceiveText::charOfToken(qsizetype token) const
{
    if (!m_log)
        return 0;
    // A line break is two characters, CR LF.
    const qsizetype breaks = breaksBefore(token);
    return itemCharsBefore(token - breaks) + 2 * breaks;
}

qsizetype ReceiveText::tokenOfChar(qsizetype offset) const
{
    qsizetype low = 0;
    qsizetype high = tokenCount();
    // The last token starting at or before offset.
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (charOfToken(mid) <= offset)
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

QString ReceiveText::chars(qsizetype from, qsizetype to) const
{
    const qsizetype count = charCount();
    from = std::clamp<qsizetype>(from, 0, count);
    to = std::clamp<qsizetype>(to, from, count);
    if (from == to)
        return {};
    const qsizetype first = tokenOfChar(from);
    const qsizetype end = std::min(tokenOfChar(to - 1) + 1, tokenCount());
    return slice(first, end).mid(from - charOfToken(first), to - from);
}
