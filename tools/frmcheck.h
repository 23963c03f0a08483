// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/checksum.h"

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The checksum calculator. It lives as long as the program: a close only hides it, so the input,
// its history, the outputs and the changed flag survive until the next show.
class frmCheck : public QWidget
{
    Q_OBJECT
public:
    frmCheck();

    void Form_Load();

Q_SIGNALS:
    // "CRC說明" was clicked: the CRC help window should be shown.
    void crcHelpRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void connectHandlers();

    void cmdCrc_Click();
    void cmdXOR_Click();
    void cmdSum_Click();
    void cmdCRCbook_Click();
    void CobTxt_Change();
    void CobTxt_Click();

    // Steps shared by the three calculations; nullopt when one failed and was reported.
    std::optional<quint16> calculate(Checksum::Kind kind);
    void clearOutputs();

    QLabel *Label1 = nullptr;
    QComboBox *CobTxt = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *txtCRC = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *txtCRChigh = nullptr;
    QLabel *Label5 = nullptr;
    QLineEdit *txtCRClow = nullptr;
    QPushButton *cmdCrc = nullptr;
    QPushButton *cmdCRCbook = nullptr;
    QGroupBox *Frame2 = nullptr;
    QLabel *Label7 = nullptr;
    QLineEdit *txtXOR = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label8 = nullptr;
    QLineEdit *txtXORhex = nullptr;
    QPushButton *cmdXOR = nullptr;
    QGroupBox *Frame3 = nullptr;
    QLabel *Label11 = nullptr;
    QLineEdit *txtSum = nullptr;
    QLabel *Label9 = nullptr;
    QLabel *Label10 = nullptr;
    QLineEdit *txtSumHex = nullptr;
    QPushButton *cmdSum = nullptr;

    // True between an edit of the input and the next calculation, which adds the text to the list.
    bool m_cobTxtChanged = false;
};
