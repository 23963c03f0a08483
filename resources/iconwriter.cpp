// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later

// vedira-iconwriter DIR SIZE...: writes the program's icon as DIR/hicolor/NxN/apps/vedira.png
// for each size, drawn by the same code as the window icon. Run at build time, without a display.

#include "resources/icons.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: vedira-iconwriter DIR SIZE...\n");
        return 2;
    }
    for (const QString &arg : args.mid(1)) {
        bool ok = false;
        const int size = arg.toInt(&ok);
        const QString folder = QStringLiteral("%1/hicolor/%2x%2/apps").arg(args[0]).arg(size);
        const QString file = folder + QStringLiteral("/vedira.png");
        if (!ok || size < 1 || !QDir().mkpath(folder)
            || !Icons::applicationPicture(size).save(file, "PNG")) {
            std::fprintf(stderr, "vedira-iconwriter: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
