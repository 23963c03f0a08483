// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QPushButton;

// The ASCII line's options: whether a carriage return follows the text (SendOpt(1)). Every click
// stores its choice at once; there is no cancel, closing only closes. Loads itself when built.
class frmOpt1 : public QDialog
{
    Q_OBJECT
public:
    explicit frmOpt1(QWidget *parent = nullptr);

    void Form_Load();

private:
    void buildControls();
    void connectHandlers();
    void optA_Click(int index);
    void CmdOk_Click();

    QGroupBox *FrameA = nullptr;
    QButtonGroup *optA = nullptr;
    QPushButton *CmdOk = nullptr;
};
