// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/inputlines.h"

QList<qint16> InputLines::changeEvents(const InputLines &before, const InputLines &now)
{
    QList<qint16> events;
    if (now.cts != before.cts)
        events.append(EvCTS);
    if (now.dsr != before.dsr)
        events.append(EvDSR);
    if (now.cd != before.cd)
        events.append(EvCD);
    if (now.ring && !before.ring)
        events.append(EvRing);
    return events;
}
