// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Why a port would not open, or went away, as facts found where it failed; the window that tells
// the person picks the words. A box shows its fixed message whatever this holds.
struct PortFailure
{
    enum class Kind { None, Permission, Held, Missing, NotSerial, Lost, Other };
    Kind kind = Kind::None;
    QString device {};
    // Held: the process holding the device (0 when no lock names one) and its program name.
    qint64 holder = 0;
    QString program {};
    // Permission: the user this program runs as, and the device's group when that group may read
    // and write it, so that joining it is the remedy.
    QString user {};
    QString group {};
    // Lost: bytes still waiting to be sent, dropped with the port.
    qint64 dropped = 0;
    // Other: the system's own words.
    QString system {};
};
