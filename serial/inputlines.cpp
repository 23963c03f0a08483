// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/inputlines.h"

namespace {

// A line flapping faster than anyone can watch tells at most this many events a read; the count
// keeps its parity, so a ring lamp still ends as often flipped as the device rang.
constexpr quint32 MaxEdgesPerRead = 1000;

} // namespace

QList<qint16> InputLines::changeEvents(const InputLines &before, const InputLines &now)
{
    QList<qint16> events;
    const bool counted = before.edges && now.edges;
    const auto tell = [&](Event code, size_t line, bool changed) {
        // Counters wrap; the difference of two unsigned counts is still the edges between.
        quint32 n = counted ? (*now.edges)[line] - (*before.edges)[line] : 0;
        if (n > MaxEdgesPerRead)
            n = MaxEdgesPerRead - (n - MaxEdgesPerRead) % 2;
        if (n == 0 && changed)
            n = 1; // a change the counter missed is still a change
        events.append(QList<qint16>(n, code));
    };
    tell(EvCTS, 0, now.cts != before.cts);
    tell(EvDSR, 1, now.dsr != before.dsr);
    tell(EvCD, 2, now.cd != before.cd);
    tell(EvRing, 3, !counted && now.ring && !before.ring);
    return events;
}
