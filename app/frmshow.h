// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QTimer;

// The start-up window. Its load sets the start values of the send options; its timer's tick says
// the time is up, and the frame then loads and unloads the splash from within the tick.
class frmShow : public QWidget
{
    Q_OBJECT
public:
    frmShow();

    void Form_Load();
    // Ends the splash and its timer. Deferred, because it is called from the timer's own tick.
    void unload();

Q_SIGNALS:
    void timeUp();

private:
    void buildControls();
    void connectHandlers();
    void Timedelay_Timer();

    QGroupBox *Frame1 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *imgLogo = nullptr;
    QLabel *Label1 = nullptr;
    QTimer *Timedelay = nullptr;
};
