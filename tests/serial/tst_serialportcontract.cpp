// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later

// One suite for every SerialPort: the fake, and the QSerialPort adapter over a pseudo-terminal
// whose master end the test plays as the device.

#include "serial/qserialportadapter.h"
#include "settings/module1.h"
#include "tests/support/fakeserialport.h"
#include "tests/support/ptypair.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace {

// Makes this test program the process that holds the port in portHeldByAnotherProcessIs8005.
const QString HoldArgument = QStringLiteral("--hold-com1");

// Catches the RunTimeError of one call; 0 when the call did not fail.
int errorOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const RunTimeError &e) {
        return e.number;
    }
    return 0;
}

// The device side of one backend. newPort() gives a closed port set to the rig's device.
class Rig
{
public:
    virtual ~Rig() = default;
    virtual bool isValid() const = 0;
    virtual std::unique_ptr<SerialPort> newPort() = 0;
    virtual void deviceSends(const QByteArray &bytes) = 0;
    virtual QByteArray deviceReceived(qsizetype count) = 0;
    virtual void unplug() = 0;
    // Points port at a number whose device is not there.
    virtual void aimAtMissingDevice(SerialPort &port) = 0;
};

class FakeRig : public Rig
{
public:
    bool isValid() const override { return true; }
    std::unique_ptr<SerialPort> newPort() override
    {
        auto port = std::make_unique<FakeSerialPort>();
        if (!m_first)
            m_first = port.get();
        return port;
    }
    void deviceSends(const QByteArray &bytes) override { m_first->feedInput(bytes); }
    QByteArray deviceReceived(qsizetype count) override
    {
        const QByteArray all = m_first->written();
        const QByteArray next = all.mid(m_taken, count);
        m_taken += next.size();
        return next;
    }
    void unplug() override { m_first->loseConnection(); }
    void aimAtMissingDevice(SerialPort &port) override
    {
        static_cast<FakeSerialPort &>(port).failNextOpen(ErrorNumber::InvalidPortNumber);
    }

private:
    FakeSerialPort *m_first = nullptr;
    qsizetype m_taken = 0;
};

class PtyRig : public Rig
{
public:
    PtyRig()
    {
        Module1::SetProgramFolder(m_folder.path());
        QDir(m_folder.path()).mkpath(QStringLiteral("ports"));
        QFile::link(m_pty.slavePath(), m_folder.filePath(QStringLiteral("ports/com1")));
    }
    bool isValid() const override { return m_folder.isValid() && m_pty.isValid(); }
    std::unique_ptr<SerialPort> newPort() override
    {
        auto port = std::make_unique<QSerialPortAdapter>();
        port->setCommPort(1);
        return port;
    }
    void deviceSends(const QByteArray &bytes) override { m_pty.write(bytes); }
    QByteArray deviceReceived(qsizetype count) override { return m_pty.read(count); }
    void unplug() override { m_pty.closeMaster(); }
    void aimAtMissingDevice(SerialPort &port) override
    {
        // A link to nothing, so the test can never reach a real /dev/ttyS device.
        QFile::link(m_folder.filePath(QStringLiteral("gone")),
            m_folder.filePath(QStringLiteral("ports/com7")));
        port.setCommPort(7);
    }

private:
    QTemporaryDir m_folder;
    PtyPair m_pty;
};

std::unique_ptr<Rig> makeRig(const QString &backend)
{
    if (backend == u"pty")
        return std::make_unique<PtyRig>();
    return std::make_unique<FakeRig>();
}

const QStringList Backends = {QStringLiteral("fake"), QStringLiteral("pty")};

} // namespace

class tst_SerialPortContract : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup();

    void openAndClose_data() { backendRows(); }
    void openAndClose();
    void everySettingOpens_data();
    void everySettingOpens();
    void writesReachTheDeviceInOrder_data() { backendRows(); }
    void writesReachTheDeviceInOrder();
    void inputArrivesThroughTheEventLoop_data() { backendRows(); }
    void inputArrivesThroughTheEventLoop();
    void heldPortIs8005_data() { backendRows(); }
    void heldPortIs8005();
    void notAPortIs8002_data();
    void notAPortIs8002();
    void badSettingsAreNotAPortError_data();
    void badSettingsAreNotAPortError();
    void unplugClosesOnce_data() { backendRows(); }
    void unplugClosesOnce();

    // The fake alone: what a pseudo-terminal cannot do.
    void fakeLineEvents_data();
    void fakeLineEvents();
    void fakeFailsTheNextOpenOnly_data();
    void fakeFailsTheNextOpenOnly();
    void fakeEventsOnlyWhileOpen();

    // The adapter alone: its lock file and what a pseudo-terminal reports.
    void lockFileMarksTheDevice();
    void portHeldByAnotherProcessIs8005();
    void twoNamesOfOneDeviceShareTheLock();
    void ptyRaisesNoLineEvents();

private:
    void backendRows();
    std::unique_ptr<Rig> rig();
};

void tst_SerialPortContract::cleanup()
{
    Module1::Reset();
    Module1::SetProgramFolder({});
}

void tst_SerialPortContract::backendRows()
{
    QTest::addColumn<QString>("backend");
    for (const QString &b : Backends)
        QTest::newRow(qPrintable(b)) << b;
}

std::unique_ptr<Rig> tst_SerialPortContract::rig()
{
    QFETCH(QString, backend);
    auto r = makeRig(backend);
    return r->isValid() ? std::move(r) : nullptr;
}

// Includes what an open port refuses: a second open, a new port number; new settings apply
// while it stays open. A closed port refuses input and output.
void tst_SerialPortContract::openAndClose()
{
    auto r = rig();
    QVERIFY(r);
    auto port = r->newPort();
    QVERIFY(!port->portOpen());
    QCOMPARE(errorOf([&] { port->output(QByteArray("x")); }), ErrorNumber::PortNotOpen);
    QCOMPARE(errorOf([&] { port->output(QStringLiteral("x")); }), ErrorNumber::PortNotOpen);
    QCOMPARE(errorOf([&] { port->input(); }), ErrorNumber::PortNotOpen);
    port->setPortOpen(true);
    QVERIFY(port->portOpen());
    port->setPortOpen(false);
    QVERIFY(!port->portOpen());
    port->setPortOpen(false); // closing a closed port is no error
    port->setPortOpen(true);
    QVERIFY(port->portOpen());

    QCOMPARE(errorOf([&] { port->setPortOpen(true); }), ErrorNumber::PortAlreadyOpen);
    QCOMPARE(errorOf([&] { port->setCommPort(2); }), ErrorNumber::InvalidWhileOpen);
    QCOMPARE(port->commPort(), qint16(1));
    port->setSettings(QStringLiteral("19200,e,7,1"));
    QCOMPARE(port->settings(), QStringLiteral("19200,e,7,1"));
    const int error = errorOf([&] { port->setSettings(QStringLiteral("19200,q,7,1")); });
    QVERIFY(error != 0 && error != ErrorNumber::PortAlreadyOpen
        && error != ErrorNumber::InvalidPortNumber);
    QCOMPARE(port->settings(), QStringLiteral("19200,e,7,1"));
    QVERIFY(port->portOpen());
    port->output(QByteArray("still"));
    QCOMPARE(r->deviceReceived(5), QByteArray("still"));
}

void tst_SerialPortContract::everySettingOpens_data()
{
    QTest::addColumn<QString>("backend");
    QTest::addColumn<QString>("settings");
    // Every parity letter, data bits 5, 7 and 8, every stop bit count, a hand-written speed.
    const QStringList settings
        = {"9600,n,8,1", "19200,e,7,2", "2400,o,7,1", "57600,m,8,1", "38400,s,8,1", "1200,n,5,1.5"};
    for (const QString &b : Backends) {
        for (const QString &s : settings)
            QTest::newRow(qPrintable(b + u' ' + s)) << b << s;
    }
}

void tst_SerialPortContract::everySettingOpens()
{
    QFETCH(QString, settings);
    auto r = rig();
    QVERIFY(r);
    auto port = r->newPort();
    port->setSettings(settings);
    QCOMPARE(port->settings(), settings);
    port->setPortOpen(true);
    QVERIFY(port->portOpen());
    port->output(QByteArray("\x55\xAA", 2));
    QCOMPARE(r->deviceReceived(2), QByteArray("\x55\xAA", 2));
}

// Arrays go out unchanged, text in Big5, one after the other.
void tst_SerialPortContract::writesReachTheDeviceInOrder()
{
    auto r = rig();
    QVERIFY(r);
    auto port = r->newPort();
    port->setPortOpen(true);
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    port->output(QStringLiteral("A"));
    port->output(all);
    port->output(QStringLiteral("例如：AT\r"));
    port->output(QByteArray("B"));
    const QByteArray expected = "A" + all + QByteArray::fromHex("A8D2A670A147") + "AT\rB";
    QCOMPARE(r->deviceReceived(expected.size()).toHex(' '), expected.toHex(' '));
}

void tst_SerialPortContract::inputArrivesThroughTheEventLoop()
{
    auto r = rig();
    QVERIFY(r);
    auto port = r->newPort();
    port->setPortOpen(true);

    QByteArray received;
    QList<qint16> codes;
    connect(port.get(), &SerialPort::OnComm, port.get(), [&] {
        codes.append(port->commEvent());
        received.append(port->input());
    });
    QByteArray all;
    for (int b = 255; b >= 0; --b)
        all.append(char(b));
    all.append("end");
    r->deviceSends(all);
    QVERIFY(codes.isEmpty()); // not raised from inside the call
    QTRY_COMPARE_WITH_TIMEOUT(received.size(), all.size(), 5000);
    QCOMPARE(received.toHex(' '), all.toHex(' '));
    QVERIFY(!codes.isEmpty());
    QCOMPARE(codes, QList<qint16>(codes.size(), SerialPort::EvReceive));
    QVERIFY(port->input().isEmpty()); // taken out of the buffer
}

void tst_SerialPortContract::heldPortIs8005()
{
    auto r = rig();
    QVERIFY(r);
    auto holder = r->newPort();
    auto second = r->newPort();
    holder->setPortOpen(true);
    QCOMPARE(errorOf([&] { second->setPortOpen(true); }), ErrorNumber::PortAlreadyOpen);
    QVERIFY(!second->portOpen());
    QVERIFY(holder->portOpen());
    holder->output(QByteArray("ok"));
    QCOMPARE(r->deviceReceived(2), QByteArray("ok"));

    holder->setPortOpen(false);
    second->setPortOpen(true); // released with the close
    QVERIFY(second->portOpen());
}

void tst_SerialPortContract::notAPortIs8002_data()
{
    QTest::addColumn<QString>("backend");
    QTest::addColumn<int>("number"); // 7: a number whose device is missing
    for (const QString &b : Backends) {
        for (int number : {0, -1, 7})
            QTest::addRow("%s %d", qPrintable(b), number) << b << number;
    }
}

void tst_SerialPortContract::notAPortIs8002()
{
    QFETCH(int, number);
    auto r = rig();
    QVERIFY(r);
    auto port = r->newPort();
    const int error = errorOf([&] {
        if (number == 7)
            r->aimAtMissingDevice(*port);
        else
            port->setCommPort(qint16(number));
        port->setPortOpen(true);
    });
    QCOMPARE(error, ErrorNumber::InvalidPortNumber);
    QVERIFY(!port->portOpen());
}

void tst_SerialPortContract::badSettingsAreNotAPortError_data()
{
    QTest::addColumn<QString>("backend");
    QTest::addColumn<QString>("settings");
    for (const QString &b : Backends) {
        for (const char *s : {"9600,x,8,1", "9600,n,9,1", "fast,n,8,1", "", "9600,n,8"})
            QTest::newRow(qPrintable(b + u' ' + QLatin1String(s))) << b << QString::fromLatin1(s);
    }
}

void tst_SerialPortContract::badSettingsAreNotAPortError()
{
    QFETCH(QString, settings);
    auto r = rig();
    QVERIFY(r);
    auto port = r->newPort();
    port->setSettings(QStringLiteral("19200,n,8,1"));
    const int error = errorOf([&] { port->setSettings(settings); });
    QVERIFY2(error != 0, "refused");
    QVERIFY(error != ErrorNumber::PortAlreadyOpen);
    QVERIFY(error != ErrorNumber::InvalidPortNumber);
    QCOMPARE(port->settings(), QStringLiteral("19200,n,8,1"));
    port->setPortOpen(true); // the refused string did not stick
    QVERIFY(port->portOpen());
}

void tst_SerialPortContract::unplugClosesOnce()
{
    auto r = rig();
    QVERIFY(r);
    auto port = r->newPort();
    port->setPortOpen(true);
    QSignalSpy lost(port.get(), &SerialPort::ConnectionLost);
    bool openWhenLost = true;
    connect(port.get(), &SerialPort::ConnectionLost, port.get(),
        [&] { openWhenLost = port->portOpen(); });
    r->unplug();
    QCOMPARE(lost.count(), 0); // raised from the event loop
    QVERIFY(lost.wait(5000));
    QVERIFY(!openWhenLost);
    QTest::qWait(300);
    QCOMPARE(lost.count(), 1);
    QVERIFY(!port->portOpen());
}

void tst_SerialPortContract::fakeLineEvents_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("cd");
    QTest::addColumn<bool>("cts");
    QTest::addColumn<bool>("dsr");
    QTest::newRow("CTS on") << int(SerialPort::EvCTS) << false << true << false;
    QTest::newRow("DSR on") << int(SerialPort::EvDSR) << false << false << true;
    QTest::newRow("CD on") << int(SerialPort::EvCD) << true << false << false;
    QTest::newRow("ring") << int(SerialPort::EvRing) << false << false << false;
    QTest::newRow("all on, CTS event") << int(SerialPort::EvCTS) << true << true << true;
    QTest::newRow("unknown code 9") << 9 << false << false << false;
}

void tst_SerialPortContract::fakeLineEvents()
{
    QFETCH(int, code);
    QFETCH(bool, cd);
    QFETCH(bool, cts);
    QFETCH(bool, dsr);
    FakeSerialPort port;
    port.setPortOpen(true);
    QList<std::tuple<int, bool, bool, bool>> seen;
    connect(&port, &SerialPort::OnComm, &port, [&] {
        seen.append({port.commEvent(), port.cdHolding(), port.ctsHolding(), port.dsrHolding()});
    });
    port.raiseEvent(qint16(code), FakeSerialPort::LineStates {cd, cts, dsr});
    QVERIFY(seen.isEmpty());
    QVERIFY(!port.ctsHolding() && !port.dsrHolding() && !port.cdHolding()); // not before it fires
    QTRY_COMPARE(seen.size(), 1);
    QCOMPARE(seen.first(), std::make_tuple(code, cd, cts, dsr));
}

void tst_SerialPortContract::fakeFailsTheNextOpenOnly_data()
{
    QTest::addColumn<int>("number");
    QTest::newRow("held") << ErrorNumber::PortAlreadyOpen;
    QTest::newRow("no such port") << ErrorNumber::InvalidPortNumber;
    QTest::newRow("I/O") << ErrorNumber::DeviceIo;
}

void tst_SerialPortContract::fakeFailsTheNextOpenOnly()
{
    QFETCH(int, number);
    FakeSerialPort port;
    port.failNextOpen(number);
    QCOMPARE(errorOf([&] { port.setPortOpen(true); }), number);
    QVERIFY(!port.portOpen());
    port.setPortOpen(true);
    QVERIFY(port.portOpen());
    QCOMPARE(port.openCount(), 1);
}

void tst_SerialPortContract::fakeEventsOnlyWhileOpen()
{
    FakeSerialPort port;
    QSignalSpy events(&port, &SerialPort::OnComm);
    port.setPortOpen(true);
    port.raiseEvent(SerialPort::EvCTS);
    port.feedInput("abc");
    port.setPortOpen(false); // the close drops what was still queued
    port.feedInput("def");
    QTest::qWait(50);
    QCOMPARE(events.count(), 0);
    port.setPortOpen(true);
    port.raiseEvent(SerialPort::EvRing);
    QVERIFY(events.wait(1000));
    QCOMPARE(port.commEvent(), qint16(SerialPort::EvRing));
    QVERIFY(port.input().isEmpty());
}

namespace {

// A program folder whose ports/comN entries link to the given targets.
struct PortsFolder
{
    PortsFolder(std::initializer_list<std::pair<const char *, QString>> entries)
    {
        Module1::SetProgramFolder(dir.path());
        QDir(dir.path()).mkpath(QStringLiteral("ports"));
        for (const auto &[name, target] : entries)
            ok = QFile::link(target, path(name)) && ok;
    }
    QString path(const char *entry) const
    {
        return dir.filePath(QStringLiteral("ports/") + QLatin1String(entry));
    }
    QTemporaryDir dir;
    bool ok = dir.isValid();
};

// QSerialPort keeps the UUCP convention: LCK..<name below /dev with / as _> in the first of the
// usual lock folders it may write, /tmp at the latest.
QString findLockFile(const QString &devicePath)
{
    QString name = devicePath;
    name.remove(0, int(qstrlen("/dev/")));
    name.replace(u'/', u'_');
    for (const char *dir : {"/var/lock", "/etc/locks", "/var/spool/locks", "/var/spool/uucp",
             "/tmp", "/var/tmp", "/var/lock/lockdev", "/run/lock"}) {
        const QString path = QString::fromLatin1(dir) + QStringLiteral("/LCK..") + name;
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
}

} // namespace

void tst_SerialPortContract::lockFileMarksTheDevice()
{
    PtyPair pty;
    PortsFolder folder {{"com2", pty.slavePath()}};
    QVERIFY(pty.isValid() && folder.ok);

    QVERIFY(findLockFile(pty.slavePath()).isEmpty());
    QSerialPortAdapter port;
    port.setCommPort(2);
    port.setPortOpen(true);
    const QString lock = findLockFile(pty.slavePath());
    QVERIFY2(!lock.isEmpty(), "no lock file named after the device");
    QFile f(lock);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readLine().trimmed().toLongLong(), QCoreApplication::applicationPid());
    port.setPortOpen(false);
    QVERIFY(!QFileInfo::exists(lock));

    // Another program following the same convention holds the device.
    QLockFile other(lock);
    QVERIFY(other.tryLock());
    QCOMPARE(errorOf([&] { port.setPortOpen(true); }), ErrorNumber::PortAlreadyOpen);
    QVERIFY(!port.portOpen());
    other.unlock();
    port.setPortOpen(true);
    QVERIFY(port.portOpen());
}

void tst_SerialPortContract::portHeldByAnotherProcessIs8005()
{
    PtyPair pty;
    PortsFolder folder {{"com1", pty.slavePath()}};
    QVERIFY(pty.isValid() && folder.ok);

    // A second copy of this program holds COM1 through its own adapter until its input closes.
    QProcess holder;
    holder.start(QCoreApplication::applicationFilePath(), {HoldArgument, folder.dir.path()});
    QVERIFY(holder.waitForReadyRead(10000));
    QCOMPARE(holder.readAll().trimmed(), QByteArray("held"));

    QSerialPortAdapter port;
    QCOMPARE(errorOf([&] { port.setPortOpen(true); }), ErrorNumber::PortAlreadyOpen);
    QVERIFY(!port.portOpen());

    holder.closeWriteChannel();
    QVERIFY(holder.waitForFinished(5000));
    QCOMPARE(holder.exitCode(), 0);
    port.setPortOpen(true); // released when the holder closed it
    QVERIFY(port.portOpen());
}

void tst_SerialPortContract::twoNamesOfOneDeviceShareTheLock()
{
    PtyPair pty;
    PortsFolder folder {{"usb", pty.slavePath()}, {"com4", pty.slavePath()}};
    QVERIFY(pty.isValid() && folder.ok);
    QVERIFY(QFile::link(folder.path("usb"), folder.path("com3")));

    QSerialPortAdapter first;
    first.setCommPort(3);
    first.setPortOpen(true);
    QSerialPortAdapter second;
    second.setCommPort(4);
    QCOMPARE(errorOf([&] { second.setPortOpen(true); }), ErrorNumber::PortAlreadyOpen);
}

void tst_SerialPortContract::ptyRaisesNoLineEvents()
{
    PtyRig r;
    QVERIFY(r.isValid());
    auto port = r.newPort();
    QSignalSpy events(port.get(), &SerialPort::OnComm);
    port->setPortOpen(true);
    // Several polling periods: a pseudo-terminal cannot report its lines, which is no error.
    QTest::qWait(5 * QSerialPortAdapter::LinePollMilliseconds);
    QCOMPARE(events.count(), 0);
    QVERIFY(port->portOpen());
    QVERIFY(!port->ctsHolding() && !port->dsrHolding() && !port->cdHolding());
    r.deviceSends("z");
    QVERIFY(events.wait(5000));
    QCOMPARE(port->commEvent(), qint16(SerialPort::EvReceive));
}

// The holder process of portHeldByAnotherProcessIs8005: opens COM1 of the given program folder,
// says so, and keeps the port until its input closes.
int holdPort(const QString &folder)
{
    Module1::SetProgramFolder(folder);
    QSerialPortAdapter port;
    try {
        port.setCommPort(1);
        port.setPortOpen(true);
    } catch (const RunTimeError &) {
        return 1;
    }
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly) || out.write("held\n") != 5 || !out.flush())
        return 1;
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return 1;
    while (!in.read(1).isEmpty()) { }
    return 0;
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && QString::fromLocal8Bit(argv[1]) == HoldArgument)
        return holdPort(QString::fromLocal8Bit(argv[2]));
    QTEST_SET_MAIN_SOURCE_PATH
    tst_SerialPortContract test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_serialportcontract.moc"
