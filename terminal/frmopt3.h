// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QPointer>

#include <array>

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QTimer;

// The hexadecimal line's options: send mode (SendOpt(2)), continuous-send interval (SendOpt(3))
// and whether every send empties the receive areas (ReceiveClearOpt). Every click stores its
// choice at once; there is no cancel. However it closes (確 定, close box, Escape), it first
// applies the send mode to the terminal's hexadecimal send button and its timer. Loads itself
// when built.
class frmOpt3 : public QDialog
{
    Q_OBJECT
public:
    frmOpt3(QPushButton *cmdSend2, QTimer *timerSend, QWidget *parent = nullptr);

    void Form_Load();

    // Every way of closing a dialog ends here, which is why the send mode is applied here.
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void connectHandlers();
    void optA_Click(int index);
    void optB_Click(int index);
    void optC_Click(int index);
    void CmdOk_Click();
    void applySendMode();

    QPointer<QPushButton> m_cmdSend2;
    QPointer<QTimer> m_timerSend;
    bool m_sendModeApplied = false;

    QGroupBox *FrameA = nullptr;
    std::array<QRadioButton *, 2> optA {};
    QButtonGroup *m_optA = nullptr;
    QGroupBox *FrameB = nullptr;
    std::array<QRadioButton *, 2> optB {};
    QButtonGroup *m_optB = nullptr;
    QGroupBox *FrameC = nullptr;
    std::array<QRadioButton *, 8> optC {};
    QButtonGroup *m_optC = nullptr;
    QPushButton *CmdOk = nullptr;
};
