// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A port's line settings as the settings string writes them: "speed,parity,data bits,stop bits",
// for example "9600,n,8,1". parse() throws RunTimeError 380 for anything it cannot read.
struct LineSettings
{
    enum class Parity { None, Even, Odd, Mark, Space };
    enum class StopBits { One, OneAndHalf, Two };

    qint32 speed = 9600;
    Parity parity = Parity::None;
    int dataBits = 8;
    StopBits stopBits = StopBits::One;

    static LineSettings parse(const QString &text);

    bool operator==(const LineSettings &) const = default;
};
