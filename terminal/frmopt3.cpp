// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/frmopt3.h"

#include "settings/module1.h"
#include "ui/designfonts.h"
#include "ui/formbuilder.h"
#include "ui/twips.h"
#include "ui/uitexts.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>

using namespace FormBuilder;

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
    setFont(DesignFonts::font(DesignFonts::PMingliu, 9.75));
    setFixedSize(twipsSize(4680, 3615));

    FrameA = frame(this, "FrameA", QStringLiteral("傳送方式"), twips(120, 120, 2160, 1095));
    optA = optionGroup(FrameA, "optA", {UiTexts::SingleSend, UiTexts::ContinuousSend},
        rows({240}, {300, 660}), 1800);

    FrameB = frame(this, "FrameB", QStringLiteral("接收區"), twips(2400, 120, 2160, 1095));
    optB = optionGroup(FrameB, "optB", {QStringLiteral("不清除"), QStringLiteral("清除")},
        rows({240}, {300, 660}), 1800);

    FrameC = frame(this, "FrameC", QStringLiteral("連續傳送時間"), twips(120, 1335, 4440, 1620));
    optC = optionGroup(FrameC, "optC",
        {QStringLiteral("0.1秒"), QStringLiteral("0.2秒"), QStringLiteral("0.3秒"),
            QStringLiteral("0.5秒"), QStringLiteral("1秒"), QStringLiteral("2秒"),
            QStringLiteral("3秒"), QStringLiteral("5秒")},
        columns({360, 2400}, {300, 630, 960, 1290}), 1560);

    CmdOk = button(this, "CmdOk", QStringLiteral("確 定"), twips(3360, 3075, 1200, 420));
}

void frmOpt3::connectHandlers()
{
    connect(optA, &QButtonGroup::idClicked, this, &frmOpt3::optA_Click);
    connect(optB, &QButtonGroup::idClicked, this, &frmOpt3::optB_Click);
    connect(optC, &QButtonGroup::idClicked, this, &frmOpt3::optC_Click);
    connect(CmdOk, &QPushButton::clicked, this, &frmOpt3::CmdOk_Click);
}

void frmOpt3::Form_Load()
{
    // The send mode's click handler runs here too, so the interval group comes up enabled
    // exactly in continuous mode.
    for (int i = 0; i < 2; ++i) {
        if (Module1::SendOpt(2) == OptAValues[i]) {
            optA->button(i)->setChecked(true);
            optA_Click(i);
        }
        if (Module1::ReceiveClearOpt == OptBValues[i])
            optB->button(i)->setChecked(true);
    }
    for (int i = 0; i < 8; ++i) {
        if (Module1::SendOpt(3) == OptCValues[i])
            optC->button(i)->setChecked(true);
    }
}

void frmOpt3::optA_Click(int index)
{
    Module1::SendOpt(2) = OptAValues.at(size_t(index));
    FrameC->setEnabled(index == 1); // the interval's buttons with it
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
