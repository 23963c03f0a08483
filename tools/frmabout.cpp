// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/frmabout.h"

#include "resources/icons.h"
#include "ui/designfonts.h"
#include "ui/formbuilder.h"
#include "ui/twips.h"
#include "version.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QToolButton>

using namespace FormBuilder;

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    buildControls();
    connectHandlers();
}

void frmAbout::buildControls()
{
    setWindowTitle(QStringLiteral("關於"));
    setFixedSize(twipsSize(3480, 2280));
    setFont(DesignFonts::font(DesignFonts::PMingliu, 9.75));

    Picture1 = place(new QLabel(this), "Picture1", twips(120, 120, 615, 555));
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Picture1->setAlignment(Qt::AlignCenter);
    Picture1->setPixmap(Icons::logo(32));
    Picture1->setAccessibleName(QStringLiteral("VEDIRA"));

    const auto line = [this](const char *name, const QString &text, int top) {
        return label(this, name, text, twips(900, top, 2460, 270));
    };
    Label3 = line("Label3", QStringLiteral("作者 : Vedira 開發團隊"), 120);
    Label1 = line("Label1", QStringLiteral("https://vedira.example"), 420);
    Label2 = line("Label2", QStringLiteral("日期 : 2026/12"), 720);
    Label4 = line("Label4", QStringLiteral("版本 : ") + QLatin1String(Version::Number), 1020);

    CmdOk = place(new QToolButton(this), "CmdOk", twips(2385, 1485, 975, 675));
    CmdOk->setText(QStringLiteral("確 定"));
    CmdOk->setIcon(Icons::okPicture());
    CmdOk->setIconSize(QSize(16, 16));
    CmdOk->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    // A graphical button shows its colour flat; the style's own gradient would wash it out.
    CmdOk->setStyleSheet(QStringLiteral(
        "QToolButton { background-color: rgb(192, 255, 255); padding-top: 4px;"
        " border: 2px solid; border-color: white rgb(64, 64, 64) rgb(64, 64, 64) white; }"
        "QToolButton:focus { border-color: palette(highlight); }"
        "QToolButton:pressed { border-color: rgb(64, 64, 64) white white rgb(64, 64, 64); }"));
}

void frmAbout::connectHandlers()
{
    connect(CmdOk, &QToolButton::clicked, this, &frmAbout::CmdOk_Click);
}

void frmAbout::Form_Load()
{
    QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The window's size includes its title bar and borders. Before the box is first shown only the
    // main window's frame tells how thick the desktop makes them.
    QSize outer = frameGeometry().size();
    if (outer == size() && parentWidget()) {
        const QWidget *main = parentWidget()->window();
        outer += main->frameGeometry().size() - main->size();
    }
    const QRect area = screen->geometry();
    const float left = float(area.width() - outer.width()) / 2.0f;
    const float top = float(area.height() - outer.height()) / 3.0f;
    move(area.x() + qRound(left), area.y() + qRound(top));
}

void frmAbout::CmdOk_Click()
{
    accept();
}
