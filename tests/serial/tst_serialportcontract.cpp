// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "serial/qserialportadapter.h"
#include "settings/module1.h"
#include "tests/support/ptypair.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>

template<typename Call> int errorOf(Call call)
{
    try {
        call();
    } catch (const RunTimeError &e) {
        return e.number;
    }
    return 0;
}

// The contract of SerialPort, kept by the QSerialPort adapter over a pseudo-terminal whose master
// end the test plays as the device. ports/com1 links to the terminal, com2 is a second name for
// it, com7 a link to nothing (no test reaches a real /dev/ttyS).
class tst_SerialPortContract : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void contract()
    {
        QTemporaryDir folder;
        Module1::SetProgramFolder(folder.path());
        const auto at = [&](const char *name) { return folder.filePath(name); };
        PtyPair pty;
        QVERIFY(QDir(folder.path()).mkpath("ports") && pty.isValid()
            && QFile::link(pty.slavePath(), at("ports/com1"))
            && QFile::link(at("ports/com1"), at("ports/com2"))
            && QFile::link(at("gone"), at("ports/com7")));
        const auto newPort = [&](qint16 number) {
            auto port = std::make_unique<QSerialPortAdapter>();
            port->setCommPort(number);
            return port;
        };

        // Another process holds COM1 while this port asks for the same device by its second name.
        auto port = newPort(2);
        QProcess process;
        process.start(QCoreApplication::applicationFilePath(), {"--hold-com1", folder.path()});
        QVERIFY(process.waitForReadyRead(10000));
        QCOMPARE(errorOf([&] { port->setPortOpen(true); }), ErrorNumber::PortAlreadyOpen);
        process.closeWriteChannel();
        QVERIFY(process.waitForFinished(5000) && process.exitCode() == 0);

        // Numbers that name no port, and for the adapter a link to a device that is not there.
        for (const int number : {0, -1, 7})
            QCOMPARE(errorOf([&] { newPort(qint16(number))->setPortOpen(true); }),
                ErrorNumber::InvalidPortNumber);
        QCOMPARE(errorOf([&] { port->output(QByteArray("x")); }), ErrorNumber::PortNotOpen);
        QCOMPARE(errorOf([&] { port->input(); }), ErrorNumber::PortNotOpen);
        port->setPortOpen(true); // released when the holder let go
        port->setPortOpen(false);
        port->setPortOpen(false); // closing a closed port is no error
        port->setPortOpen(true);
        QCOMPARE(errorOf([&] { port->setPortOpen(true); }), ErrorNumber::PortAlreadyOpen);
        QCOMPARE(errorOf([&] { port->setCommPort(3); }), ErrorNumber::InvalidWhileOpen);
        port->setSettings(u"19200,e,7,1"_qs);
        QCOMPARE(errorOf([&] { port->setSettings(u"19200,q,7,1"_qs); }),
            ErrorNumber::InvalidPropertyValue);
        QCOMPARE(port->settings(), u"19200,e,7,1"_qs);

        // Arrays go out unchanged, text in Big5, in order.
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        port->output(all);
        port->output(u"例如：AT\r"_qs);
        const QByteArray expected = all + QByteArray::fromHex("A8D2A670A147") + "AT\r";
        QCOMPARE(pty.read(expected.size()).toHex(' '), expected.toHex(' '));

        // Receive events come from the event loop, never from inside a call; a lost device closes
        // the port and says so once.
        QByteArray received, sent;
        QList<bool> openWhenLost;
        connect(port.get(), &SerialPort::OnComm, port.get(), [&] {
            QCOMPARE(port->commEvent(), qint16(SerialPort::EvReceive));
            received.append(port->input());
        });
        connect(port.get(), &SerialPort::ConnectionLost, port.get(),
            [&] { openWhenLost.append(port->portOpen()); });
        for (const QByteArray &part : {all, QByteArray("end")}) {
            pty.write(part);
            QCOMPARE(received, sent);
            sent += part;
            QTRY_COMPARE_WITH_TIMEOUT(received.toHex(' '), sent.toHex(' '), 5000);
        }
        pty.closeMaster();
        QTRY_VERIFY_WITH_TIMEOUT(!openWhenLost.isEmpty(), 5000);
        QTest::qWait(300);
        QCOMPARE(openWhenLost, QList<bool> {false});
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The contract's holder process: holds COM1 of the given folder until its input closes.
    if (argc == 3 && QByteArray(argv[1]) == "--hold-com1") {
        Module1::SetProgramFolder(QString::fromLocal8Bit(argv[2]));
        QSerialPortAdapter port;
        port.setPortOpen(true);
        std::puts("held");
        std::fflush(stdout);
        while (std::getchar() != EOF) { }
        return 0;
    }
    tst_SerialPortContract test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_serialportcontract.moc"
