// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/receiveformatter.h"

#include <QFont>
#include <QPointF>
#include <QRawFont>

#include <array>
#include <vector>

class QPainter;

// The 256 items of one receive area in one font: their widths, their advances (the item and its
// blank) and their glyphs, so a row is measured without the text engine and drawn with one glyph
// run per font instead of one text call per item.
class ReceiveGlyphs
{
public:
    void measure(const QFont &font, ReceiveFormatter::Kind kind);

    const QFont &font() const { return m_font; }
    qreal width(uchar byte) const { return m_width[byte]; }
    qreal advance(uchar byte) const { return m_advance[byte]; }
    qreal widestAdvance() const { return m_widestAdvance; }
    qreal blankWidth() const { return m_blankWidth; }
    qreal lineHeight() const { return m_lineHeight; }
    // The items of data[first..end) from the top left at, one after the other at their advances.
    void draw(QPainter &painter, const uchar *data, qsizetype first, qsizetype end, QPointF at);

private:
    void prepareGlyphs(ReceiveFormatter::Kind kind);

    QFont m_font;
    std::array<qreal, 256> m_width {};
    std::array<qreal, 256> m_advance {};
    qreal m_widestAdvance = 0;
    qreal m_blankWidth = 0;
    qreal m_lineHeight = 1;
    struct ItemGlyphs
    {
        std::vector<int> font; // into m_rawFonts
        std::vector<quint32> index;
        std::vector<QPointF> offset; // from the item's top left
    };
    std::array<ItemGlyphs, 256> m_glyphs;
    std::vector<QRawFont> m_rawFonts;
    // One row's glyphs per font, kept between rows so painting allocates nothing.
    std::vector<std::vector<quint32>> m_runIndexes;
    std::vector<std::vector<QPointF>> m_runPositions;
};
