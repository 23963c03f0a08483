// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

#include <array>
#include <optional>

// The input lines of a serial port as one read finds them, and the events a change raises.
struct InputLines
{
    // The codes OnComm reports for line changes.
    enum Event : qint16 {
        EvCTS = 3,
        EvDSR = 4,
        EvCD = 5,
        EvRing = 6,
    };

    bool cts = false;
    bool dsr = false;
    bool cd = false;
    bool ring = false;
    // The edges the device counted since it opened (CTS, DSR, CD, rings), where it counts them:
    // they tell the changes that came and went between two reads.
    std::optional<std::array<quint32, 4>> edges;

    // CTS, DSR and CD raise their event at every change either way, in that order, then the ring
    // once for each ring; without counted edges, a change the two reads show, and a ring only as
    // it starts, since the end of a ring is no news to the terminal.
    static QList<qint16> changeEvents(const InputLines &before, const InputLines &now);
};
