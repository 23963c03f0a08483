// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/frmopt3.h"

#include "settings/module1.h"
#include "ui/designfonts.h"
#include "ui/twips.h"
#include "ui/uitexts.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace {
const std::array<QString, 2> OptAValues {QStringLiteral("0"), QStringLiteral("1")};
const std::array<QString, 2> OptBValues {QStringLiteral("0"), QStringLiteral("1")};
const std::array<QString, 8> OptCValues {QStringLiteral("100"), QStringLiteral("200"),
    QStringLiteral("300"), QStringLiteral("500"), QStringLiteral("1000"), QStringLiteral("2000"),
    QStringLiteral("3000"), QStringLiteral("5000")};
} // namespace

frmOpt3::frmOpt3(QWidget *parent)
    : QDialog(parent,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
            | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("frmOpt3"));
    buildControls();
    connectHandlers();
    Form_Load();
}

void frmOpt3::buildControls()
{
    setWindowTitle(QStringLiteral("16進制字元,傳送參數設定"));
    setModal(true);
    setFont(DesignFonts::font(DesignFonts::PMingliu, 9.75));
    setFixedSize(twipsSize(4680, 3615));

    FrameA = new QGroupBox(QStringLiteral("傳送方式"), this);
    FrameA->setObjectName(QStringLiteral("FrameA"));
    FrameA->setGeometry(twips(120, 120, 2160, 1095));
    m_optA = new QButtonGroup(this);
    const std::array<QString, 2> aCaptions {UiTexts::SingleSend, UiTexts::ContinuousSend};
    for (int i = 0; i < 2; ++i) {
        optA[i] = new QRadioButton(aCaptions[i], FrameA);
        optA[i]->setObjectName(QStringLiteral("optA_%1").arg(i));
        optA[i]->setGeometry(twips(240, 300 + 360 * i, 1800, 300));
        m_optA->addButton(optA[i], i);
    }

    FrameB = new QGroupBox(QStringLiteral("接收區"), this);
    FrameB->setObjectName(QStringLiteral("FrameB"));
    FrameB->setGeometry(twips(2400, 120, 2160, 1095));
    m_optB = new QButtonGroup(this);
    const std::array<QString, 2> bCaptions {QStringLiteral("不清除"), QStringLiteral("清除")};
    for (int i = 0; i < 2; ++i) {
        optB[i] = new QRadioButton(bCaptions[i], FrameB);
        optB[i]->setObjectName(QStringLiteral("optB_%1").arg(i));
        optB[i]->setGeometry(twips(240, 300 + 360 * i, 1800, 300));
        m_optB->addButton(optB[i], i);
    }

    FrameC = new QGroupBox(QStringLiteral("連續傳送時間"), this);
    FrameC->setObjectName(QStringLiteral("FrameC"));
    FrameC->setGeometry(twips(120, 1335, 4440, 1620));
    FrameC->setEnabled(false);
    m_optC = new QButtonGroup(this);
    const std::array<QString, 8> cCaptions {QStringLiteral("0.1秒"), QStringLiteral("0.2秒"),
        QStringLiteral("0.3秒"), QStringLiteral("0.5秒"), QStringLiteral("1秒"),
        QStringLiteral("2秒"), QStringLiteral("3秒"), QStringLiteral("5秒")};
    for (int i = 0; i < 8; ++i) {
        optC[i] = new QRadioButton(cCaptions[i], FrameC);
        optC[i]->setObjectName(QStringLiteral("optC_%1").arg(i));
        optC[i]->setGeometry(twips(360 + 2040 * (i / 4), 300 + 330 * (i % 4), 1560, 300));
        optC[i]->setEnabled(false);
        m_optC->addButton(optC[i], i);
    }

    CmdOk = new QPushButton(QStringLiteral("確 定"), this);
    CmdOk->setObjectName(QStringLiteral("CmdOk"));
    CmdOk->setGeometry(twips(3360, 3075, 1200, 420));
    CmdOk->setDefault(true);
}

void frmOpt3::connectHandlers()
{
    connect(m_optA, &QButtonGroup::idClicked, this, &frmOpt3::optA_Click);
    connect(m_optB, &QButtonGroup::idClicked, this, &frmOpt3::optB_Click);
    connect(m_optC, &QButtonGroup::idClicked, this, &frmOpt3::optC_Click);
    connect(CmdOk, &QPushButton::clicked, this, &frmOpt3::CmdOk_Click);
}

void frmOpt3::Form_Load()
{
    // Selecting in code runs the click handler too, so the interval group comes up enabled
    // exactly in continuous mode.
    for (int i = 0; i < 2; ++i) {
        if (Module1::SendOpt(2) == OptAValues[i]) {
            optA[i]->setChecked(true);
            optA_Click(i);
        }
        if (Module1::ReceiveClearOpt == OptBValues[i]) {
            optB[i]->setChecked(true);
            optB_Click(i);
        }
    }
    for (int i = 0; i < 8; ++i) {
        if (Module1::SendOpt(3) == OptCValues[i]) {
            optC[i]->setChecked(true);
            optC_Click(i);
        }
    }
}

void frmOpt3::optA_Click(int index)
{
    Module1::SendOpt(2) = OptAValues.at(size_t(index));
    const bool continuous = index == 1;
    FrameC->setEnabled(continuous);
    for (QRadioButton *button : optC)
        button->setEnabled(continuous);
}

void frmOpt3::optB_Click(int index)
{
    Module1::ReceiveClearOpt = OptBValues.at(size_t(index));
}

void frmOpt3::optC_Click(int index)
{
    Module1::SendOpt(3) = OptCValues.at(size_t(index));
}

void frmOpt3::CmdOk_Click()
{
    accept();
}

void frmOpt3::showEvent(QShowEvent *event)
{
    m_sendModeReported = false;
    QDialog::showEvent(event);
}

void frmOpt3::done(int result)
{
    // The close box reaches done() through closeEvent() and reject(), and QDialog itself may
    // route done() through a close event again: report once per showing.
    if (!m_sendModeReported) {
        m_sendModeReported = true;
        Q_EMIT sendModeChosen(Module1::SendOpt(2));
    }
    QDialog::done(result);
}
