// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

// The ASCII code chart: 501 x 408 pixels, 1 bit per pixel (index 0 black, index 1 white), at
// 96 dots per inch. Drawn once, black on white without anti-aliasing, so it stays crisp.
class AsciiChart
{
public:
    static constexpr int Width = 501;
    static constexpr int Height = 408;
    static constexpr int RowsPerGroup = 25;

    static const QImage &picture();

    // The third column of a code: the control mnemonic, SP, DEL or the character itself.
    static QString symbol(int code);
};
