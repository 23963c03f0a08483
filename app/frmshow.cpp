// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmshow.h"

#include "resources/icons.h"
#include "settings/module1.h"
#include "ui/designfonts.h"
#include "ui/formbuilder.h"
#include "ui/twips.h"
#include "version.h"

#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <QTimer>

frmShow::frmShow()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmShow"));
    buildControls();
    connectHandlers();
}

void frmShow::buildControls()
{
    setFixedSize(twipsSize(3915, 1575));
    setAutoFillBackground(true);

    Frame1 = FormBuilder::place(new QGroupBox(this), "Frame1", rect());
    // Without a caption the frame's border starts at the window's edge: no room kept for a title.
    Frame1->setStyleSheet(QStringLiteral("QGroupBox { margin-top: 0px; }"));

    imgLogo = FormBuilder::place(new QLabel(Frame1), "imgLogo", twips(360, 420, 480, 480));
    imgLogo->setPixmap(Icons::logo(32));
    imgLogo->setAccessibleName(QStringLiteral("VEDIRA"));

    Label3 = FormBuilder::label(
        Frame1, "Label3", QStringLiteral("VEDIRA測試軟體"), twips(1080, 300, 2640, 435));
    Label3->setFont(DesignFonts::font(DesignFonts::Mingliu, 15.75, true));
    Label3->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255);"));

    Label1 = FormBuilder::label(Frame1, "Label1",
        QStringLiteral("ver %1       DUVOV").arg(QLatin1String(Version::Number)),
        twips(1080, 960, 2640, 300));
    Label1->setFont(DesignFonts::font(DesignFonts::Arial, 9, true));

    Timedelay = new QTimer(this);
    Timedelay->setObjectName(QStringLiteral("Timedelay"));
    Timedelay->setInterval(2000);
}

void frmShow::connectHandlers()
{
    connect(Timedelay, &QTimer::timeout, this, &frmShow::Timedelay_Timer);
}

void frmShow::Form_Load()
{
    Module1::SendOpt(1) = QStringLiteral("0");
    Module1::SendOpt(2) = QStringLiteral("0");
    Module1::ReceiveClearOpt = QStringLiteral("0");
    Module1::SendOpt(3) = QStringLiteral("1000");
    if (QScreen *screen = this->screen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    Timedelay->start();
}

void frmShow::Timedelay_Timer()
{
    Q_EMIT timeUp();
}

void frmShow::unload()
{
    Timedelay->stop();
    hide();
    deleteLater();
}
