// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/rowstarts.h"

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
