// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/programfolders.h"
#include "serial/qserialportadapter.h"
#include "tests/support/ptypair.h"

#include <QTest>
#include <QtWidgets>

#include <csignal>
#include <fcntl.h>
#include <sys/ioctl.h>

class tst_VediraSim : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void simulator_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("echo") << u"--echo"_qs << QByteArray("COM3\r\n") << QByteArray("COM3\r\n");
        QTest::newRow("modbus read") << u"--modbus"_qs << QByteArray::fromHex("010300000002C40B")
                                     << QByteArray::fromHex("01030400000000FA33");
    }
    // Foreign entries refused, a killed one's link replaced, a gone client freed; SIGTERM exits 0.
    void simulator()
    {
        QFETCH(QString, mode);
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, reply);
        QTemporaryDir dir;
        ProgramFolders::setProgram(dir.path());
        const QString foreign = dir.filePath("ports/com2"), link = dir.filePath("ports/com3");
        QProcess sim;
        // True once the simulator names its terminal, which it does with its link in place.
        const auto start = [&](const QString &port) {
            sim.start(QStringLiteral(VEDIRA_SIM), {"--folder", dir.path(), "--port", port, mode});
            return sim.waitForReadyRead(5000) && sim.readAll().contains("/dev/pts/");
        };
        QVERIFY(QDir(dir.path()).mkpath("ports") && QFile::link("/dev/null", foreign));
        QVERIFY(!start("2") && sim.exitCode() != 0);
        QCOMPARE(QFileInfo(foreign).symLinkTarget(), u"/dev/null"_qs);
        QVERIFY(start("3"));
        QFile held(QFileInfo(link).symLinkTarget()); // its number not given to another test's pty
        QVERIFY(held.open(QIODevice::ReadOnly));
        sim.kill();
        QVERIFY(sim.waitForFinished(5000) && QFileInfo(link).isSymLink());
        PtyPair reused; // its number since given to another terminal
        QVERIFY(QFile::remove(link) && QFile::link(reused.slavePath(), link));
        QVERIFY(start("3"));
        QVERIFY(QFileInfo(link).symLinkTarget() != reused.slavePath());
        const QByteArray device = QFile::encodeName(QFileInfo(link).symLinkTarget());
        const auto exclusive = [&device] { // as root, which may open it anyway, or as anyone
            int on = 1, fd = ::open(device.constData(), O_RDWR | O_NOCTTY);
            return fd < 0 || ::ioctl(fd, TIOCGEXCL, &on) != 0 || ::close(fd) != 0 || on != 0;
        };
        const int killed = ::open(device.constData(), O_RDWR | O_NOCTTY); // closed as by a kill
        QVERIFY(::ioctl(killed, TIOCEXCL) == 0 && ::close(killed) == 0);
        QTRY_VERIFY(!exclusive());

        QSerialPortAdapter port(ProgramFolders::ports());
        port.setCommPort(3);
        QByteArray received;
        connect(&port, &SerialPort::OnComm, &port, [&] { received.append(port.input()); });
        for (int round = 0; round < 3; ++round) {
            port.setPortOpen(true);
            port.output(request);
            QTRY_COMPARE_WITH_TIMEOUT(received, reply.repeated(round + 1), 3000);
            port.setPortOpen(false);
        }
        sim.terminate();
        QVERIFY(sim.waitForFinished(5000) && sim.exitCode() == 0);
        QVERIFY(!QFileInfo(link).isSymLink());
    }
    // A kill, a closed terminal or Ctrl+C ends the program as Yes in the exit box does: exit 0.
    void endingSignal_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP") << int(SIGHUP);
        QTest::newRow("SIGINT") << int(SIGINT);
    }
    void endingSignal()
    {
        QFETCH(int, signal);
        std::signal(signal, SIG_DFL); // one this run was started with ignored would stay so
        QProcess vedira;
        vedira.start(QStringLiteral(VEDIRA), {"-platform", "offscreen"});
        // Sent once vedira catches it, not to it while it is still starting.
        QVERIFY(vedira.waitForStarted(5000));
        const auto caught = [&] {
            QFile status(u"/proc/%1/status"_qs.arg(vedira.processId()));
            const QByteArray text = status.open(QIODevice::ReadOnly) ? status.readAll() : "";
            const qsizetype at = text.indexOf("SigCgt:");
            return at > 0
                && (text.mid(at + 7, 17).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1;
        };
        QTRY_VERIFY_WITH_TIMEOUT(caught(), 10000);
        QCOMPARE(::kill(pid_t(vedira.processId()), signal), 0);
        QVERIFY(vedira.waitForFinished(5000));
        QCOMPARE(vedira.exitStatus(), QProcess::NormalExit);
        QCOMPARE(vedira.exitCode(), 0);
    }
    // Both programs run from a terminal with no display: one needing it would abort, not exit 0.
    void answer_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("answer"); // exit code, standard output's first line, error
        const QString vedira = QStringLiteral(VEDIRA), sim = QStringLiteral(VEDIRA_SIM);
        QTest::newRow("vedira") << vedira << u"--version"_qs << u"0|vedira " VEDIRA_VERSION "|"_qs;
        QTest::newRow("bogus") << vedira << u"--bogus"_qs
                               << u"2||vedira: Unknown option 'bogus'.\n"_qs;
        QTest::newRow("sim") << sim << u"--version"_qs << u"0|vedira-sim " VEDIRA_VERSION "|"_qs;
    }
    void answer()
    {
        QFETCH(QString, program);
        QFETCH(QString, argument);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QLatin1String(name));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(program, {argument});
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        const QString out = QString(process.readAllStandardOutput()).section(u'\n', 0, 0);
        QTEST(u"%1|%2|%3"_qs.arg(QString::number(process.exitCode()), out,
                  QString(process.readAllStandardError())),
            "answer"); // in one pass: what a program prints is never read as a placeholder
    }
};

QTEST_MAIN(tst_VediraSim)
#include "tst_vedirasim.moc"
