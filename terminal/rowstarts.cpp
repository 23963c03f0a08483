// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/rowstarts.h"

#include <new>

void RowStarts::reset()
{
    m_blocks.clear();
    m_size = 0;
    append(0);
}

bool RowStarts::reserve(qsizetype rows)
{
    const auto blocks = std::size_t((m_size + rows + Mask) >> Shift);
    try {
        // Blocks made here and not needed yet stay for the rows to come.
        while (m_blocks.size() < blocks)
            m_blocks.push_back(newBlock());
    } catch (const std::bad_alloc &) {
        return false;
    }
    return true;
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
