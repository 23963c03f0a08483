// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "serial/qserialportadapter.h"
#include "settings/module1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

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
    // The simulator refuses a foreign ports entry, replaces the link a killed simulator left,
    // answers across closing and reopening the port, and on SIGTERM exits with 0 (a death by the
    // signal is no exit code 0) and takes its link with it.
    void simulator()
    {
        QFETCH(QString, mode);
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, reply);
        QTemporaryDir dir;
        Module1::SetProgramFolder(dir.path());
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
        sim.kill();
        QVERIFY(sim.waitForFinished(5000) && QFileInfo(link).isSymLink());
        QVERIFY(start("3"));

        QSerialPortAdapter port;
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
};

QTEST_GUILESS_MAIN(tst_VediraSim)
#include "tst_vedirasim.moc"
