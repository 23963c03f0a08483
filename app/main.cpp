// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/designstyle.h"
#include "app/frmshow.h"
#include "app/frmvedira.h"
#include "resources/icons.h"
#include "resources/qttranslation.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The program ends only through the exit confirmation, never by its last window closing.
    app.setQuitOnLastWindowClosed(false);
    app.setWindowIcon(Icons::application());
    // Lets a Wayland desktop match the windows to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vedira.Vedira"));
    QtTranslation::install(); // Qt's own buttons and edit menus; English where it is missing
    DesignStyle::install();

    auto *splash = new frmShow;
    QObject::connect(splash, &frmShow::timeUp, &frmVedira::showFrame);
    splash->Form_Load();
    splash->show();
    const int rc = app.exec();
    delete frmVedira::instance();
    delete frmShow::instance();
    return rc;
}
