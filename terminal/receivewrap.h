// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "terminal/rowstarts.h"

#include <QtGlobal>

class ReceiveGlyphs;
class ReceiveLog;

// The visual rows of one receive area, wrapped a part at a time as the log grows: where each row
// starts, in tokens, and how far the log has been laid out. Items are never split, an item wider
// than a row has one of its own, and a line break ends its row.
class ReceiveWrap
{
public:
    // Back to nothing laid out, for rows width wide.
    void restart(qreal width);
    // Makes room in the rows for what is not laid out yet and bytes and breaks more, so laying
    // them out allocates nothing; false, with nothing changed that is shown, when memory runs out.
    bool makeRoom(
        const ReceiveLog *log, const ReceiveGlyphs &glyphs, qsizetype bytes, qsizetype breaks);
    enum class Progress { Done, Partial, OutOfMemory };
    // Lays out up to budget more bytes.
    Progress layoutSome(const ReceiveLog *log, const ReceiveGlyphs &glyphs, qsizetype budget);

    qreal width() const { return m_width; }
    qsizetype laidOutTokens() const { return m_pos + qsizetype(m_breaksLaidOut); }
    int rowCount() const { return int(m_rows.size()); }
    qsizetype rowStart(int row) const { return m_rows[row]; }
    qsizetype rowEnd(int row) const
    {
        return row + 1 < m_rows.size() ? m_rows[row + 1] : laidOutTokens();
    }
    int rowOfToken(qsizetype token) const;

private:
    RowStarts m_rows;
    qreal m_width = 0;
    qsizetype m_pos = 0;
    std::size_t m_breaksLaidOut = 0;
    qreal m_x = 0;
};
