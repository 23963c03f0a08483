// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <cstdint>
#include <memory>
#include <vector>

// The first token of every visual row of a receive area, in ascending order, in fixed blocks:
// growing never moves what is already stored, so a long stream never pauses to copy megabytes of
// row starts. A block keeps its first row's token and the others as 32-bit distances from it,
// half the memory of whole tokens: a row holds at most its width in pixels of items, so 65,536
// rows stay far below 4 G tokens. There is always at least the one row every area has, at token 0.
class RowStarts
{
public:
    RowStarts() { reset(); }
    qsizetype size() const { return m_size; }
    qsizetype operator[](qsizetype row) const
    {
        const Block &block = m_blocks[std::size_t(row >> Shift)];
        return block.first + block.distance[row & Mask];
    }
    // Makes sure the next rows appends allocate nothing; false, with nothing lost, when memory
    // runs out.
    bool reserve(qsizetype rows);
    // Inline: the wrap calls it once for every row of a stream.
    void append(qsizetype token)
    {
        if (std::size_t(m_size >> Shift) == m_blocks.size())
            m_blocks.push_back(newBlock());
        Block &block = m_blocks[std::size_t(m_size >> Shift)];
        if ((m_size & Mask) == 0)
            block.first = token;
        Q_ASSERT(token - block.first <= qsizetype(UINT32_MAX));
        block.distance[m_size & Mask] = quint32(token - block.first);
        ++m_size;
    }
    // Back to the one row, the memory given back.
    void reset();
    // The first row whose start is after token.
    qsizetype upperBound(qsizetype token) const;

private:
    static constexpr int Shift = 16;
    static constexpr qsizetype Mask = (qsizetype(1) << Shift) - 1;
    struct Block
    {
        qsizetype first = 0;
        std::unique_ptr<quint32[]> distance;
    };
    static Block newBlock()
    {
        return {0, std::make_unique_for_overwrite<quint32[]>(std::size_t(Mask) + 1)};
    }
    std::vector<Block> m_blocks;
    qsizetype m_size = 0;
};
