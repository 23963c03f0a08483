// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/rowstarts.h"

void RowStarts::append(qsizetype token)
{
    const auto block = std::size_t(m_size >> Shift);
    if (block == m_blocks.size())
        m_blocks.push_back(std::make_unique_for_overwrite<qsizetype[]>(std::size_t(Mask) + 1));
    m_blocks[block][m_size & Mask] = token;
    ++m_size;
}

void RowStarts::reset()
{
    m_blocks.clear();
    m_size = 0;
    append(0);
}

qsizetype RowStarts::upperBound(qsizetype token) const
{
    qsizetype low = 0;
    qsizetype high = m_size;
    while (low < high) {
        const qsizetype mid = (low + high) / 2;
        if ((*this)[mid] <= token)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}
