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
        QTest::newRow("--version") << vedira << QStringList {"--version"} << 0 << version << none;
        QTest::newRow("-v") << vedira << QStringList {"-v"} << 0 << version << none;
        QTest::newRow("--help") << vedira << QStringList {"--help"} << 0
                                << QByteArray("Usage: " VEDIRA " [options]\n") << none;
        QTest::newRow("--help-all") << vedira << QStringList {"--help-all"} << 0
                                    << QByteArray("Usage: " VEDIRA " [options]\n") << none;
        QTest::newRow("Qt's -platform")
            << vedira << QStringList {"-platform", "offscreen", "--version"} << 0 << version
            << none;
        QTest::newRow("Qt's -style=")
            << vedira << QStringList {"-style=fusion", "--version"} << 0 << version << none;
        QTest::newRow("--bogus") << vedira << QStringList {"--bogus"} << 2 << none
                                 << QByteArray("vedira: Unknown option 'bogus'.\n");
        QTest::newRow("argument") << vedira << QStringList {"COM1"} << 2 << none
                                  << QByteArray("vedira: unexpected argument 'COM1'\n");
        QTest::newRow("sim --version") << sim << QStringList {"--version"} << 0
                                       << QByteArray("vedira-sim " VEDIRA_VERSION "\n") << none;
        QTest::newRow("sim --bogus") << sim << QStringList {"--bogus"} << 2 << none
                                     << QByteArray("vedira-sim: Unknown option 'bogus'.\n");
    }
    void answer()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, outStart);
        QFETCH(QByteArray, err);
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
        QCOMPARE(process.readAllStandardError(), err);
    }
};

QTEST_GUILESS_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
