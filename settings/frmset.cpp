// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/frmset.h"

#include "core/runtimeerror.h"
#include "settings/module1.h"
#include "settings/portmapmenu.h"
#include "ui/designfonts.h"
#include "ui/formbuilder.h"
#include "ui/mdichild.h"
#include "ui/messagebox.h"
#include "ui/portreason.h"
#include "ui/twips.h"
#include "ui/uitexts.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QScreen>

using namespace FormBuilder;

namespace {

const QStringList PortValues {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
const QStringList SpeedValues {"115200,", "57600,", "38400,", "19200,", "9600,", "4800,"};
const QStringList CheckValues {"o,", "e,", "n,"};
const QStringList DataValues {"8,", "7,"};
const QStringList StopValues {"2", "1"};

// The designed selection: COM1, 9600, none, 8 bits, 1 bit.
constexpr int DesignedSpeed = 4;
constexpr int DesignedCheck = 2;
constexpr int DesignedData = 0;
constexpr int DesignedStop = 1;

} // namespace

frmSet::frmSet(PortMapMenu::Detect detect)
    : m_detect(std::move(detect))
{
    setObjectName(QStringLiteral("frmSet"));
    buildControls();
    connectHandlers();
}

void frmSet::buildControls()
{
    setWindowTitle(QStringLiteral("通訊設定"));
    setFixedSize(twipsSize(5070, 4290));
    setFont(DesignFonts::font(DesignFonts::PMingliu, 9.75));

    famPort = frame(this, "famPort", QStringLiteral("通訊埠"), twips(120, 120, 4815, 1095));
    famSpeed = frame(this, "famSpeed", QStringLiteral("傳輸速率"), twips(120, 1380, 3435, 1095));
    famStop = frame(this, "famStop", QStringLiteral("停止位元"), twips(3720, 1380, 1215, 1095));
    famData = frame(this, "famData", QStringLiteral("資料位元"), twips(120, 2640, 1215, 1515));
    famCheck = frame(this, "famCheck", QStringLiteral("檢查位元"), twips(1560, 2640, 1635, 1515));

    optPort = optionGroup(famPort, "optPort",
        {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "COM9", "COM10"},
        rows({180, 1080, 1980, 2880, 3780}, {360, 720}), 900);
    optSpeed
        = optionGroup(famSpeed, "optSpeed", {"115200", "57600", "38400", "19200", "9600", "4800"},
            rows({180, 1260, 2280}, {360, 720}), 1020);
    optCheck = optionGroup(famCheck, "optCheck",
        {QStringLiteral("奇數 (Odd)"), QStringLiteral("偶數 (Even)"), QStringLiteral("無 (None)")},
        {{180, 360}, {180, 720}, {180, 1080}}, 1395);
    optData
        = optionGroup(famData, "optData", {" 8 bits", " 7 bits"}, {{180, 360}, {180, 720}}, 1005);
    optStop
        = optionGroup(famStop, "optStop", {" 2 bits", " 1 bit"}, {{180, 360}, {180, 720}}, 1005);

    new PortMapMenu(optPort, this, m_detect); // the COM buttons' tooltips and right-click menus

    optPort->button(0)->setChecked(true);
    optSpeed->button(DesignedSpeed)->setChecked(true);
    optCheck->button(DesignedCheck)->setChecked(true);
    optData->button(DesignedData)->setChecked(true);
    optStop->button(DesignedStop)->setChecked(true);

    cmdCancel = button(this, "cmdCancel", QStringLiteral("取消"), twips(3900, 2880, 1035, 555));
    cmdSure = button(this, "cmdSure", QStringLiteral("確定"), twips(3900, 3600, 1035, 555));
}

void frmSet::connectHandlers()
{
    connect(optPort, &QButtonGroup::idClicked, this, &frmSet::optPort_Click);
    connect(optSpeed, &QButtonGroup::idClicked, this, &frmSet::optSpeed_Click);
    connect(optCheck, &QButtonGroup::idClicked, this, &frmSet::optCheck_Click);
    connect(optData, &QButtonGroup::idClicked, this, &frmSet::optData_Click);
    connect(optStop, &QButtonGroup::idClicked, this, &frmSet::optStop_Click);
    connect(cmdSure, &QPushButton::clicked, this, &frmSet::cmdSure_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSet::cmdCancel_Click);
}

void frmSet::Form_Load()
{
    QWidget *frame = MdiChild::frameOf(this);
    if (QScreen *screen = frame->screen()) {
        const QSize s = screen->size();
        frame->move((s.width() - frame->width()) / 2, (s.height() - frame->height()) / 3);
    }
    get_Set();
}

void frmSet::select(QButtonGroup *group, const QStringList &values, const QString &part)
{
    // Exact match only; an unmatched part leaves the group's button as it was.
    const int index = values.indexOf(part);
    if (index >= 0)
        group->button(index)->setChecked(true);
}

void frmSet::get_Set()
{
    const QString s = Module1::ComSetting;
    if (s.size() < 5) {
        // Too short to split from its end (only a hand-edited file gives this): fall back to the
        // designed choice, so that "確定" stores a usable string.
        SpeedPart = SpeedValues[DesignedSpeed];
        ParityPart = CheckValues[DesignedCheck];
        DataPart = DataValues[DesignedData];
        StopPart = StopValues[DesignedStop];
    } else {
        SpeedPart = s.left(s.size() - 5);
        ParityPart = s.right(5).left(2);
        DataPart = s.right(3).left(2);
        StopPart = s.right(1);
    }
    PortPart = Module1::ComPortNo;
    select(optSpeed, SpeedValues, SpeedPart);
    select(optCheck, CheckValues, ParityPart);
    select(optPort, PortValues, PortPart);
    select(optData, DataValues, DataPart);
    select(optStop, StopValues, StopPart);
}

void frmSet::optPort_Click(int index)
{
    PortPart = PortValues.value(index, PortPart);
}

void frmSet::optSpeed_Click(int index)
{
    SpeedPart = SpeedValues.value(index, SpeedPart);
}

void frmSet::optCheck_Click(int index)
{
    ParityPart = CheckValues.value(index, ParityPart);
}

void frmSet::optData_Click(int index)
{
    DataPart = DataValues.value(index, DataPart);
}

void frmSet::optStop_Click(int index)
{
    StopPart = StopValues.value(index, StopPart);
}

void frmSet::cmdSure_Click()
{
    try {
        Module1::ComSetting = SpeedPart + ParityPart + DataPart + StopPart;
        Module1::ComPortNo = PortPart;
        Module1::SaveSettings();
        Q_EMIT panelTextChanged(1, QStringLiteral("COM") + Module1::ComPortNo);
        Q_EMIT panelTextChanged(2, Module1::ComSetting);
        if (Module1::PortIsOpen == Module1::VbTrue && m_reopenPort)
            m_reopenPort();
    } catch (const RunTimeError &e) {
        MessageBox::error(this,
            e.number == ErrorNumber::InvalidPortNumber ? UiTexts::PortOpenError
                                                       : UiTexts::DataError,
            PortReason::text(e.failure));
        return;
    }
    unload();
}

void frmSet::cmdCancel_Click()
{
    get_Set();
    unload();
}

void frmSet::unload()
{
    MdiChild::frameOf(this)->close();
}
