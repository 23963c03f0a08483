// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

// The input lines of a serial port as one poll reads them, and the events a change raises.
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

    // CTS, DSR and CD raise their event on a change either way, in that order; the ring only as
    // it starts, since the end of a ring is no news to the terminal.
    static QList<qint16> changeEvents(const InputLines &before, const InputLines &now);
};
