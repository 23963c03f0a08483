// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/receiveglyphs.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

void ReceiveGlyphs::measure(const QFont &font, ReceiveFormatter::Kind kind)
{
    // Each item is drawn on its own at the sum of the advances before it, so the wrap agrees with
    // what is drawn whatever the font does between glyphs of a longer string.
    m_font = font;
    const QFontMetricsF metrics(m_font);
    // At least a pixel: a row then holds at most its width in items, which the row index needs.
    m_blankWidth = std::max<qreal>(1, metrics.horizontalAdvance(QLatin1Char(' ')));
    m_lineHeight = std::max<qreal>(1, std::ceil(metrics.lineSpacing()));
    for (int b = 0; b < 256; ++b) {
        const QString item = ReceiveFormatter::item(kind, uchar(b));
        m_width[b] = metrics.horizontalAdvance(item);
        m_advance[b] = m_width[b] + m_blankWidth;
    }
    m_widestAdvance = *std::max_element(m_advance.begin(), m_advance.end());
    prepareGlyphs(kind);
}

void ReceiveGlyphs::prepareGlyphs(ReceiveFormatter::Kind kind)
{
    // The glyphs of every item as the text engine places them, fallback fonts included.
    m_rawFonts.clear();
    for (int b = 0; b < 256; ++b) {
        ItemGlyphs &glyphs = m_glyphs[size_t(b)];
        glyphs = {};
        QTextLayout layout(ReceiveFormatter::item(kind, uchar(b)), m_font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        for (const QGlyphRun &run : layout.glyphRuns()) {
            auto font = std::find(m_rawFonts.begin(), m_rawFonts.end(), run.rawFont());
            if (font == m_rawFonts.end())
                font = m_rawFonts.insert(m_rawFonts.end(), run.rawFont());
            const QList<quint32> indexes = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            for (qsizetype g = 0; g < indexes.size(); ++g) {
                glyphs.font.push_back(int(font - m_rawFonts.begin()));
                glyphs.index.push_back(indexes[g]);
                glyphs.offset.push_back(positions[g]);
            }
        }
    }
    m_runIndexes.assign(m_rawFonts.size(), {});
    m_runPositions.assign(m_rawFonts.size(), {});
}

void ReceiveGlyphs::draw(
    QPainter &painter, const uchar *data, qsizetype first, qsizetype end, QPointF at)
{
    qreal x = at.x();
    const qreal top = at.y();
    for (qsizetype b = first; b < end; ++b) {
        const ItemGlyphs &glyphs = m_glyphs[data[b]];
        for (size_t g = 0; g < glyphs.index.size(); ++g) {
            m_runIndexes[size_t(glyphs.font[g])].push_back(glyphs.index[g]);
            m_runPositions[size_t(glyphs.font[g])].push_back(QPointF(x, top) + glyphs.offset[g]);
        }
        x += m_advance[data[b]];
    }
    for (size_t f = 0; f < m_rawFonts.size(); ++f) {
        if (m_runIndexes[f].empty())
            continue;
        QGlyphRun run;
        run.setRawFont(m_rawFonts[f]);
        run.setRawData(
            m_runIndexes[f].data(), m_runPositions[f].data(), int(m_runIndexes[f].size()));
        painter.drawGlyphRun(QPointF(), run);
        m_runIndexes[f].clear();
        m_runPositions[f].clear();
    }
}
