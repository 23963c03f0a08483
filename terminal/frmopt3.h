// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QPushButton;

// The hexadecimal line's options: send mode (SendOpt(2)), continuous-send interval (SendOpt(3))
// and whether every send empties the receive areas (ReceiveClearOpt). Every click stores its
// choice at once; there is no cancel. However it closes (確 定, close box, Escape), it first
// reports the stored send mode once through sendModeChosen. Loads itself when built.
class frmOpt3 : public QDialog
{
    Q_OBJECT
public:
    explicit frmOpt3(QWidget *parent = nullptr);

    void Form_Load();

    // Every way of closing a dialog ends here, which is why the send mode is reported here.
    void done(int result) override;

Q_SIGNALS:
    // The send mode as stored in SendOpt(2), for the terminal to apply.
    void sendModeChosen(const QString &mode);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void connectHandlers();
    void optA_Click(int index);
    void optB_Click(int index);
    void optC_Click(int index);
    void CmdOk_Click();

    bool m_sendModeReported = false;

    QGroupBox *FrameA = nullptr;
    QButtonGroup *optA = nullptr;
    QGroupBox *FrameB = nullptr;
    QButtonGroup *optB = nullptr;
    QGroupBox *FrameC = nullptr;
    QButtonGroup *optC = nullptr;
    QPushButton *CmdOk = nullptr;
};
