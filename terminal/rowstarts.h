// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <memory>
#include <vector>

// The first token of every visual row of a receive area, in ascending order, in fixed blocks:
// growing never moves what is already stored, so a long stream never pauses to copy megabytes of
// row starts. There is always at least the one row every area has, starting at token 0.
class RowStarts
{
public:
    RowStarts() { reset(); }
    qsizetype size() const { return m_size; }
    qsizetype operator[](qsizetype row) const { return m_blocks[row >> Shift][row & Mask]; }
    // Makes sure the next rows appends allocate nothing; false, with nothing lost, when memory
    // runs out.
    bool reserve(qsizetype rows);
    // Inline: the wrap calls it once for every row of a stream.
    void append(qsizetype token)
    {
        const auto block = std::size_t(m_size >> Shift);
        if (block == m_blocks.size())
            m_blocks.push_back(std::make_unique_for_overwrite<qsizetype[]>(std::size_t(Mask) + 1));
        m_blocks[block][m_size & Mask] = token;
        ++m_size;
    }
    // Back to the one row, the memory given back.
    void reset();
    // The first row whose start is after token.
    qsizetype upperBound(qsizetype token) const;

private:
    static constexpr int Shift = 16;
    static constexpr qsizetype Mask = (qsizetype(1) << Shift) - 1;
    std::vector<std::unique_ptr<qsizetype[]>> m_blocks;
    qsizetype m_size = 0;
};
