// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QProcess>
#include <QTest>

// Both programs started as a user would from a terminal without any display: an answer that
// needed one would end in Qt's abort instead of exit status 0.
class tst_CommandLine : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void answer_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("outStart");
        QTest::addColumn<QByteArray>("err");
        const QString vedira = QStringLiteral(VEDIRA), sim = QStringLiteral(VEDIRA_SIM);
        const QByteArray version = "vedira " VEDIRA_VERSION "\n", none;
        const QByteArray usage = "Usage: " VEDIRA " [options]\n";
        const auto row = [](const char *name, const QString &program, const QStringList &arguments,
                             int exitCode, const QByteArray &out, const QByteArray &err) {
            QTest::newRow(name) << program << arguments << exitCode << out << err;
        };
        row("--version", vedira, {"--version"}, 0, version, none);
        row("-v", vedira, {"-v"}, 0, version, none);
        row("--help", vedira, {"--help"}, 0, usage, none);
        row("--help-all", vedira, {"--help-all"}, 0, usage, none);
        row("Qt's -platform", vedira, {"-platform", "offscreen", "--version"}, 0, version, none);
        row("Qt's -style=", vedira, {"-style=fusion", "--version"}, 0, version, none);
        row("--bogus", vedira, {"--bogus"}, 2, none, "vedira: Unknown option 'bogus'.\n");
        row("argument", vedira, {"COM1"}, 2, none, "vedira: unexpected argument 'COM1'\n");
        row("sim --version", sim, {"--version"}, 0, "vedira-sim " VEDIRA_VERSION "\n", none);
        row("sim --bogus", sim, {"--bogus"}, 2, none, "vedira-sim: Unknown option 'bogus'.\n");
    }
    void answer()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, outStart);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QLatin1String(name));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), exitCode);
        QCOMPARE(process.readAllStandardOutput().left(outStart.size()), outStart);
        QTEST(process.readAllStandardError(), "err");
    }
};

QTEST_GUILESS_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
