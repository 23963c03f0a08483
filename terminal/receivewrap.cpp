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

bool ReceiveWrap::layoutSome(const ReceiveLog *log, const ReceiveGlyphs &glyphs, qsizetype budget)
{
    if (!log)
        return true;
    const QByteArray &bytes = log->bytes();
    const auto &breaks = log->lineBreaks();
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype end = std::min(bytes.size(), m_pos + budget);
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
    return pos == bytes.size() && nextBreak == breaks.size();
}

int ReceiveWrap::rowOfToken(qsizetype token) const
{
    return std::max(0, int(m_rows.upperBound(token)) - 1);
}
