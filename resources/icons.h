// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>

// The program's own pictures, drawn in code so they stay sharp and need no image files.
class Icons
{
public:
    static QIcon application(); // frame and window icon: a serial connector with a signal
    static QPixmap applicationPicture(int size); // the same at any size, for the desktop's icons
    static QPixmap logo(int size = 32); // the splash's and the About box's picture
    static QIcon savePicture();
    static QIcon printPicture();
    static QIcon portPicture();
    static QIcon clearPicture();
    static QIcon exitPicture();
    static QIcon okPicture();
    static QIcon checksumWindow(); // the calculator: a byte row folded into a check value
    static QIcon asciiWindow(); // the ASCII chart: a ruled table
    static QIcon crcHelpWindow(); // the CRC help: an open book
};
