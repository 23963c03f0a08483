// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/frmascii.h"

#include "resources/icons.h"
#include "tools/asciichart.h"
#include "ui/mdichild.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

frmAscii::frmAscii()
{
    setObjectName(QStringLiteral("frmAscii"));
    setWindowTitle(QStringLiteral("ASCII碼"));
    setWindowIcon(Icons::asciiWindow());
    setFixedSize(AsciiChart::Width, AsciiChart::Height);
    // The window is one picture; screen readers call it by what it shows.
    setAccessibleName(QStringLiteral("ASCII碼"));
}

void frmAscii::Form_Load()
{
    QWidget *frame = MdiChild::frameOf(this);
    QScreen *screen = frame->screen() ? frame->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The screen's size, but a position inside the frame's client area: deliberately not centred
    // on the client area itself.
    const QSize display = screen->size();
    const QSize outer = frame->frameGeometry().size();
    const float left = float(display.width() - outer.width()) / 2.0f;
    const float top = float(display.height() - outer.height()) / 4.0f;
    frame->move(qRound(left), qRound(top));
}

void frmAscii::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawImage(0, 0, AsciiChart::picture());
}
