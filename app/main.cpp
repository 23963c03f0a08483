// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/designstyle.h"
#include "app/frmshow.h"
#include "app/frmvedira.h"
#include "core/quitsignals.h"
#include "resources/icons.h"
#include "resources/qttranslation.h"
#include "version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPointer>

#include <cstdio>
#include <optional>

namespace {

// Answers --help and --version and refuses what it does not know before QApplication exists, so
// none of them needs a display. Qt's own options pass (hidden from the help): QApplication reads
// them from argv afterwards. Returns the exit status when the program ends here.
std::optional<int> answerCommandLine(int argc, char *argv[])
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Serial port test terminal. Qt's own options, such as -platform and -style, apply too."));
    // Qt's options are words after one dash (-platform), not bundles of letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    QStringList qtOptions; // for --help-all: without a QApplication the parser cannot list them
    const auto addQtOptions = [&](std::initializer_list<const char *> names, bool value) {
        for (const char *name : names) {
            QCommandLineOption option(
                QLatin1String(name), QString(), value ? QStringLiteral("value") : QString());
            option.setFlags(QCommandLineOption::HiddenFromHelp);
            parser.addOption(option);
            qtOptions.append(u'-' + option.names().constFirst()
                + (value ? QStringLiteral(" <value>") : QString()));
        }
    };
    addQtOptions({"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
                     "qwindowicon", "qwindowtitle", "session", "display", "geometry", "style",
                     "stylesheet", "qmljsdebugger"},
        true);
    addQtOptions({"reverse", "widgetcount", "nograb", "dograb", "sync"}, false);

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const auto fail = [](const QString &why) {
        std::fprintf(stderr, "vedira: %s\n", qPrintable(why));
        return 2;
    };
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    const bool helpAll = parser.isSet(QStringLiteral("help-all"));
    if (parser.isSet(help) || helpAll) {
        // Without a QCoreApplication the parser cannot name the program in its usage line.
        QString text = parser.helpText();
        text.replace(QStringLiteral("<executable_name>"), arguments.value(0));
        if (helpAll)
            text += QStringLiteral("\nQt's options:\n  ") + qtOptions.join(QStringLiteral("\n  "))
                + u'\n';
        std::fputs(qPrintable(text), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()), Version::Number);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument '%1'")
                        .arg(parser.positionalArguments().constFirst()));
    return std::nullopt;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("vedira"));
    QCoreApplication::setApplicationVersion(QLatin1String(Version::Number));
    if (const auto status = answerCommandLine(argc, argv))
        return *status;

    QApplication app(argc, argv);
    // The program ends only through the exit confirmation, never by its last window closing.
    app.setQuitOnLastWindowClosed(false);
    app.setWindowIcon(Icons::application());
    // Lets a Wayland desktop match the windows to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vedira.Vedira"));
    QtTranslation::install(); // Qt's own buttons and edit menus; English where it is missing
    DesignStyle::install();

    // The exit box's Yes and a signal to end leave the same way: out of the event loop, so the
    // windows are destroyed and the port closes behind them. Made before the frame, the handler
    // still catches a second signal while the frame is torn down.
    const auto quit = [] { QCoreApplication::exit(0); };
    const QuitSignals quitSignals(quit);
    frmVedira frame({.quit = quit});
    // The splash deletes itself when the frame takes over.
    const QPointer<frmShow> splash = new frmShow;
    frame.startAfter(splash);
    splash->Form_Load();
    splash->show();
    const int rc = app.exec();
    delete splash;
    return rc;
}
