// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QToolButton;

// The About box: a top-level window shown modally, created anew by every menu command.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);

    // Centred across the screen, at a third of the free height.
    void Form_Load();

private:
    void buildControls();
    void connectHandlers();
    void CmdOk_Click();

    QLabel *Picture1 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label4 = nullptr;
    QToolButton *CmdOk = nullptr;
};
