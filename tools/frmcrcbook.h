// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <array>

class QLabel;

// The CRC help window: fixed text explaining the calculator's CRC-16, step by step. Closing it
// destroys it; the calculator creates it again on the next request.
class frmCRCbook : public QWidget
{
    Q_OBJECT
public:
    frmCRCbook();

    // The frame leaves the window where the MDI area puts it.
    void Form_Load() { }

private:
    void buildControls();

    // Label1 … Label9, in their design numbering.
    std::array<QLabel *, 9> Label {};
};
