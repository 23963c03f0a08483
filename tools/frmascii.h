// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// The ASCII chart window: the chart picture and nothing else. Closing it destroys it, so every
// new one is placed afresh.
class frmAscii : public QWidget
{
    Q_OBJECT
public:
    frmAscii();

    // Centred across the screen's width and a quarter of the free height down, measured from
    // the top-left corner of the frame's client area.
    void Form_Load();

protected:
    void paintEvent(QPaintEvent *event) override;
};
