// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/frmopt1.h"

#include "settings/module1.h"
#include "ui/designfonts.h"
#include "ui/formbuilder.h"
#include "ui/twips.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>

using namespace FormBuilder;

namespace {
const std::array<QString, 2> OptAValues {QStringLiteral("0"), QStringLiteral("1")};
}

frmOpt1::frmOpt1(QWidget *parent)
    : QDialog(parent,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
            | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("frmOpt1"));
    buildControls();
    connectHandlers();
    Form_Load();
}

void frmOpt1::buildControls()
{
    setWindowTitle(QStringLiteral("ASCII碼字元,傳送參數設定"));
    setFont(DesignFonts::font(DesignFonts::PMingliu, 9.75));
    setFixedSize(twipsSize(3855, 1875));

    FrameA = frame(this, "FrameA", QStringLiteral("傳送資料"), twips(120, 120, 3615, 1095));
    optA = optionGroup(FrameA, "optA",
        {QStringLiteral("不加入任何字元"), QStringLiteral("最終加入 CR 字元")},
        rows({240}, {300, 660}), 3135);

    CmdOk = button(this, "CmdOk", QStringLiteral("確 定"), twips(2535, 1335, 1200, 420));
}

void frmOpt1::connectHandlers()
{
    connect(optA, &QButtonGroup::idClicked, this, &frmOpt1::optA_Click);
    connect(CmdOk, &QPushButton::clicked, this, &frmOpt1::CmdOk_Click);
}

void frmOpt1::Form_Load()
{
    for (int i = 0; i < 2; ++i) {
        if (Module1::SendOpt(1) == OptAValues[i])
            optA->button(i)->setChecked(true);
    }
}

void frmOpt1::optA_Click(int index)
{
    Module1::SendOpt(1) = OptAValues.at(size_t(index));
}

void frmOpt1::CmdOk_Click()
{
    accept();
}
