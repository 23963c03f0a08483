// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/receivewrap.h"

#include "core/receivelog.h"
#include "terminal/receiveglyphs.h"

#include <algorithm>

void ReceiveWrap::restart(qreal width)
{
    m_rows.reset();
    m_width = width;
    m_pos = 0;
    m_breaksLaidOut = 0;
    m_x = 0;
}

bool ReceiveWrap::makeRoom(
    const ReceiveLog *log, const ReceiveGlyphs &glyphs, qsizetype bytes, qsizetype breaks)
{
    if (log) {
        bytes += log->byteCount() - m_pos;
        breaks += qsizetype(log->lineBreaks().size() - m_breaksLaidOut);
    }
    // A row wraps only when its items and the next one, none wider than the widest advance,
    // overflow the width: a wrapped row holds at least width / widest items, one fewer for the
    // rounding of the sums. The first wrap may end a row begun before these bytes.
    const qreal widest = glyphs.widestAdvance();
    const qsizetype perRow
        = std::max(qsizetype(1), widest > 0 ? qsizetype(m_width / widest) - 1 : qsizetype(1));
    return m_rows.reserve(bytes / perRow + 1 + breaks);
}

ReceiveWrap::Progress ReceiveWrap::layoutSome(
    const ReceiveLog *log, const ReceiveGlyphs &glyphs, qsizetype budget)
{
    if (!log)
        return Progress::Done;
    const QByteArray &bytes = log->bytes();
    const auto &breaks = log->lineBreaks();
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype end = std::min(bytes.size(), m_pos + budget);
    // Room for this part, made before any row is added: a row index that cannot grow stops the
    // layout where it is rather than the program. Growing the log makes this room beforehand.
    if (!makeRoom(nullptr, glyphs, end - m_pos,
            qsizetype(std::upper_bound(breaks.begin(), breaks.end(), end) - breaks.begin())
                - qsizetype(m_breaksLaidOut)))
        return Progress::OutOfMemory;
    const qreal width = m_width;
    qsizetype pos = m_pos;
    std::size_t nextBreak = m_breaksLaidOut;
    qreal x = m_x;
    for (;;) {
        for (; nextBreak < breaks.size() && breaks[nextBreak] <= pos; ++nextBreak) {
            m_rows.append(pos + qsizetype(nextBreak) + 1);
            x = 0;
        }
        if (pos == end)
            break;
        const uchar c = data[pos];
        // An item wider than the whole row still goes on it: items are never split.
        if (x > 0 && x + glyphs.width(c) > width) {
            m_rows.append(pos + qsizetype(nextBreak));
            x = 0;
        }
        x += glyphs.advance(c);
        ++pos;
    }
    m_pos = pos;
    m_breaksLaidOut = nextBreak;
    m_x = x;
    return pos == bytes.size() && nextBreak == breaks.size() ? Progress::Done : Progress::Partial;
}

int ReceiveWrap::rowOfToken(qsizetype token) const
{
    return std::max(0, int(m_rows.upperBound(token)) - 1);
}
