// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The simulated device end to end: the real simulator process, reached through ports/comN with
// the real port adapter, as the program reaches it.

#include "serial/qserialportadapter.h"
#include "settings/module1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

} // namespace

class tst_VediraSim : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void echoesEveryByteAcrossReopening();
    void modbus_data();
    void modbus();
    void modbusWriteThenRead();
    void otherPortNumber();
    void leavesAForeignEntryAlone();
    void replacesALinkLeftByAKilledSimulator();

private:
    bool startSim(const QStringList &arguments, const QString &entry = QStringLiteral("com1"));
    // Sends bytes and gathers what comes back within the time, through OnComm.
    QByteArray exchange(
        SerialPort &port, const QByteArray &bytes, qsizetype expected, int timeoutMs = 3000);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QProcess> m_sim;
};

void tst_VediraSim::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    Module1::SetProgramFolder(m_dir->path());
}

void tst_VediraSim::cleanup()
{
    if (m_sim && m_sim->state() != QProcess::NotRunning) {
        m_sim->terminate();
        if (!m_sim->waitForFinished(3000))
            m_sim->kill();
        m_sim->waitForFinished(3000);
    }
    m_sim.reset();
    Module1::Reset();
    Module1::SetProgramFolder({});
    m_dir.reset();
}

bool tst_VediraSim::startSim(const QStringList &arguments, const QString &entry)
{
    m_sim = std::make_unique<QProcess>();
    m_sim->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_sim->start(QStringLiteral(VEDIRA_SIM),
        QStringList {QStringLiteral("--folder"), m_dir->path()} + arguments);
    if (!m_sim->waitForStarted(5000))
        return false;
    const QFileInfo link(m_dir->filePath(QStringLiteral("ports/") + entry));
    // The simulator says which terminal it made once its link is in place.
    return m_sim->waitForReadyRead(5000) && m_sim->readAll().contains("/dev/pts/")
        && QFileInfo(link.absoluteFilePath()).isSymLink();
}

QByteArray tst_VediraSim::exchange(
    SerialPort &port, const QByteArray &bytes, qsizetype expected, int timeoutMs)
{
    QByteArray received;
    const auto connection = connect(&port, &SerialPort::OnComm, this, [&] {
        if (port.commEvent() == SerialPort::EvReceive)
            received.append(port.input());
    });
    port.output(bytes);
    static_cast<void>(QTest::qWaitFor([&] { return received.size() >= expected; }, timeoutMs));
    disconnect(connection);
    return received;
}

void tst_VediraSim::echoesEveryByteAcrossReopening()
{
    QVERIFY(startSim({QStringLiteral("--echo")}));
    QSerialPortAdapter port;
    port.setCommPort(1);
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    for (int round = 0; round < 3; ++round) {
        port.setPortOpen(true);
        QCOMPARE(exchange(port, all, all.size()).toHex(' '), all.toHex(' '));
        port.setPortOpen(false);
    }
    QCOMPARE(m_sim->state(), QProcess::Running);
}

void tst_VediraSim::modbus_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("reply");
    QTest::newRow("read 2 from 0") << hex("010300000002C40B") << hex("01030400000000FA33");
    QTest::newRow("read 2 from 10") << hex("0103000A0002E409") << hex("01030400000000FA33");
    QTest::newRow("bad address") << hex("01030010000185CF") << hex("018302C0F1");
    QTest::newRow("bad function") << hex("0110000000010200FFE610") << hex("0190018DC0");
    QTest::newRow("bad CRC: silent") << hex("010300000002C40C") << QByteArray();
    QTest::newRow("other slave: silent") << hex("020300000002C438") << QByteArray();
}

void tst_VediraSim::modbus()
{
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, reply);
    QVERIFY(startSim({QStringLiteral("--modbus")}));
    QSerialPortAdapter port;
    port.setCommPort(1);
    port.setSettings(QStringLiteral("19200,e,8,1"));
    port.setPortOpen(true);
    // A silent slave is waited for as long as a master would, then some.
    const int wait = reply.isEmpty() ? 300 : 3000;
    QCOMPARE(exchange(port, request, qMax(reply.size(), 1), wait).toHex(' '), reply.toHex(' '));
}

void tst_VediraSim::modbusWriteThenRead()
{
    QVERIFY(startSim({QStringLiteral("--modbus")}));
    QSerialPortAdapter port;
    port.setCommPort(1);
    port.setPortOpen(true);
    QCOMPARE(exchange(port, hex("010600010102585B"), 8), hex("010600010102585B"));
    QCOMPARE(exchange(port, hex("010300000002C40B"), 9), hex("010304000001027A62"));
}

void tst_VediraSim::otherPortNumber()
{
    QVERIFY(startSim({QStringLiteral("--port"), QStringLiteral("3")}, QStringLiteral("com3")));
    QVERIFY(!QFileInfo(m_dir->filePath(QStringLiteral("ports/com1"))).isSymLink());
    QSerialPortAdapter port;
    port.setCommPort(3);
    port.setPortOpen(true);
    QCOMPARE(exchange(port, "COM3", 4), QByteArray("COM3"));

    const QString link = m_dir->filePath(QStringLiteral("ports/com3"));
    m_sim->terminate();
    QVERIFY(m_sim->waitForFinished(5000));
    QCOMPARE(m_sim->exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_sim->exitCode(), 0);
    QVERIFY(!QFileInfo(link).isSymLink()); // its link went with it
}

void tst_VediraSim::leavesAForeignEntryAlone()
{
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("ports")));
    const QString entry = m_dir->filePath(QStringLiteral("ports/com1"));
    QVERIFY(QFile::link(QStringLiteral("/dev/null"), entry));
    m_sim = std::make_unique<QProcess>();
    m_sim->start(QStringLiteral(VEDIRA_SIM), {QStringLiteral("--folder"), m_dir->path()});
    QVERIFY(m_sim->waitForFinished(5000));
    QVERIFY(m_sim->exitCode() != 0);
    QCOMPARE(QFileInfo(entry).symLinkTarget(), QStringLiteral("/dev/null"));
}

void tst_VediraSim::replacesALinkLeftByAKilledSimulator()
{
    QVERIFY(startSim({}));
    m_sim->kill();
    QVERIFY(m_sim->waitForFinished(5000));
    const QFileInfo stale(m_dir->filePath(QStringLiteral("ports/com1")));
    QVERIFY(stale.isSymLink()); // killed: no chance to clean up
    QVERIFY(startSim({}));
    QSerialPortAdapter port;
    port.setPortOpen(true);
    QCOMPARE(exchange(port, "again", 5), QByteArray("again"));
}

QTEST_GUILESS_MAIN(tst_VediraSim)
#include "tst_vedirasim.moc"
