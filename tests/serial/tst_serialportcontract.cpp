// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/programfolders.h"
#include "serial/devicecheck.h"
#include "serial/qserialportadapter.h"
#include "tests/support/fakeserialport.h"
#include "tests/support/ptypair.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

template<typename Call> int errorOf(Call call)
{
    try {
        call();
    } catch (const RunTimeError &e) {
        return e.number;
    }
    return 0;
}

// SerialPort's contract, kept by the adapter over a pty whose master end the test plays as device.
class tst_SerialPortContract : public QObject
{
    Q_OBJECT
    // What f writes to standard error.
    template<class F> static QString stderrOf(F f)
    {
        QTemporaryFile errors;
        const int saved = ::dup(2);
        if (!errors.open() || ::dup2(errors.handle(), 2) != 2)
            return u"(standard error not captured)"_qs;
        f();
        std::fflush(stderr);
        ::dup2(saved, 2);
        ::close(saved);
        return errors.seek(0) ? QString::fromLocal8Bit(errors.readAll()) : QString();
    }

private Q_SLOTS:
    // What others hold and what is no serial line, as COM3 (the pty unless a device is named): the
    // error number, a stderr line naming port, device and reason. Binary locks use the bare name.
    void refusedOpens_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QByteArray>("lock");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("reason");
        const qint32 pid = ::getppid();
        const QByteArray byParent = "by process " + QByteArray::number(pid) + " (";
        const auto row = [](const char *name, const char *device, const QByteArray &lock, int error,
                             const QByteArray &reason) {
            QTest::newRow(name) << QString(device) << lock << error << QString(reason);
        };
        row("COM32 with no link: /dev/ttyS31, absent or no UART", "/dev/ttyS31", {}, 8002, "");
        row("directory", "/", {}, 8002, "Is a directory");
        row("/dev/tty", "/dev/tty", {}, 8002, "Not a serial port");
        row("the terminal of a shell's session", "session", {}, 8005, "terminal of session");
        row("pty never unlocked", "unlocked", {}, 8002, "Input/output error");
        row("UUCP lock, ten digits and a name", "",
            QByteArray::number(pid).rightJustified(10) + "\nminicom root\n", 8005, byParent);
        row("UUCP lock, binary", "", QByteArray(reinterpret_cast<const char *>(&pid), 4), 8005,
            byParent);
        row("UUCP lock of a dead process", "", "1999999999\n", 0, ""); // not init, 1
        row("UUCP lock naming this process", "", QByteArray::number(::getpid()) + "\n", 0, "");
        row("UUCP lock of a zombie", "", "zombie", 0, "");
        row("UUCP lock without a number", "", "\n", 0, ""); // not process 0, this group
        row("UUCP lock, four bytes of text", "", "1 09", 8005, "by process 1 ("); // init's
        row("UUCP lock, eleven digits", "", "00000000012\n", 8005, "by process 1 ("); // ten read
        row("stale lock, folder not writable", "", "1000000000\nkept\n", 8005, "be removed");
        row("lock folder entry that is a FIFO", "", "fifo", 8005, "not a regular file");
        row("lock folder entry linking to a FIFO", "", "fifo link", 8005, "not a regular file");
        row("lock folder entry that is a socket", "", "socket", 8005, "not a regular file");
        row("flock by another program", "", "flock", 8005, "Locked with flock() by process ");
    }
    void refusedOpens()
    {
        QFETCH(QString, device);
        QFETCH(QByteArray, lock);
        QFETCH(int, error);
        QFETCH(QString, reason);
        QTemporaryDir folder; // the program's, with ports/com3, and the lock folder
        ProgramFolders::setProgram(folder.path());
        const QString com3 = folder.filePath("ports/com3");
        PtyPair pty;
        QProcess other; // holding the device's flock
        const int unlocked = ::posix_openpt(O_RDWR | O_NOCTTY);
        const QString name = lock.size() == 4 ? QFileInfo(pty.slavePath()).fileName()
                                              : pty.slavePath().mid(5).replace('/', '_');
        QFile lockFile(folder.filePath("lock/LCK..") + name);
        QVERIFY(QDir(folder.path()).mkpath("ports") && QDir(folder.path()).mkpath("lock"));
        const QByteArray fifo = QFile::encodeName(folder.filePath("fifo"));
        const QByteArray slave = QFile::encodeName(pty.slavePath()); // for a child, not to allocate
        const bool session = device == "session"; // a shell's terminal, in a session of its own
        pid_t child = 0; // the shell, or a zombie
        siginfo_t ended {}; // the zombie's, left unreaped
        if (lock == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(lockFile.fileName()).constData(), 0666), 0);
        else if (lock == "socket")
            QCOMPARE(::mknod(QFile::encodeName(lockFile.fileName()), S_IFSOCK | 0666, 0), 0);
        else if (lock == "fifo link")
            QVERIFY(
                ::mkfifo(fifo.constData(), 0666) == 0 && QFile::link(fifo, lockFile.fileName()));
        else if ((session || lock == "zombie") && (child = ::fork()) == 0) {
            // The shell ends when the pty hangs up, if not killed first.
            if (session && ::setsid() > 0 && ::open(slave.constData(), O_RDWR) >= 0)
                ::pause();
            ::_exit(0);
        } else if (session)
            QTRY_COMPARE(::tcgetsid(pty.masterFd()), child);
        else if (lock == "zombie")
            QVERIFY(lockFile.open(QIODevice::WriteOnly) && lockFile.write(QByteArray::number(child))
                && lockFile.flush()
                && ::waitid(P_PID, id_t(child), &ended, WEXITED | WNOWAIT) == 0);
        else if (lock == "flock") {
            other.start(u"flock"_qs, {pty.slavePath(), u"sleep"_qs, u"60"_qs});
            QTRY_COMPARE(DeviceCheck::heldBy(pty.slavePath()).holder, other.processId());
        } else if (!lock.isEmpty())
            QVERIFY(
                lockFile.open(QIODevice::WriteOnly) && lockFile.write(lock) && lockFile.flush());
        const bool kept = lock.endsWith("kept\n"); // in a folder this user cannot write to
        QVERIFY(!kept
            || (::chmod(QFile::encodeName(folder.path()), 0755) == 0
                && ::chmod(QFile::encodeName(folder.filePath("lock")), 0555) == 0));
        device = device == "unlocked" ? QString::fromLocal8Bit(::ptsname(unlocked))
            : device.startsWith('/')  ? device
                                      : pty.slavePath();
        QVERIFY(device.startsWith("/dev/ttyS")
            || (QFile::link(device, com3 + "-") && QFile::link(com3 + "-", com3)));

        QSerialPortAdapter port(ProgramFolders::ports(), folder.filePath("lock"));
        const int com = device.startsWith("/dev/ttyS") ? 32 : 3;
        port.setCommPort(qint16(com));
        if (kept && ::geteuid() == 0)
            QCOMPARE(::seteuid(65534), 0); // root may remove a file from any folder
        const uint files = QDir(u"/proc/self/fd"_qs).count();
        int number = 0;
        const QString line = stderrOf([&] { number = errorOf([&] { port.setPortOpen(true); }); });
        QCOMPARE(::seteuid(::getuid()), 0);
        QVERIFY(
            !number || QDir(u"/proc/self/fd"_qs).count() == files); // a refusal leaves none open
        if (child > 0 && ::kill(child, SIGKILL) == 0)
            ::waitpid(child, nullptr, 0);
        ::close(unlocked);
        QCOMPARE(number, error);
        QCOMPARE(port.portOpen(), error == 0);
        // A lock that holds the port is left where it is, whatever it is.
        QCOMPARE(lockFile.exists(), error == 8005 && !lock.isEmpty() && lock != "flock");
        QVERIFY2(error ? line.startsWith(u"COM%1 (%2): "_qs.arg(com).arg(device))
                    && line.contains(reason) && line.count('\n') == 1 && line.endsWith('\n')
                       : line.isEmpty() && port.portOpen() && !lockFile.exists(),
            qPrintable(line));
    }

    // COM1 opened on a pty, its input lines read by lines when given.
    static std::unique_ptr<QSerialPortAdapter> openCom1(
        const QTemporaryDir &folder, const PtyPair &pty, QSerialPortAdapter::LineReader lines = {})
    {
        ProgramFolders::setProgram(folder.path());
        if (!QDir(folder.path()).mkpath("ports")
            || !QFile::link(pty.slavePath(), folder.filePath("ports/com1")))
            return nullptr;
        auto port = std::make_unique<QSerialPortAdapter>(ProgramFolders::ports());
        port->setLineReader(std::move(lines));
        port->setCommPort(1);
        port->setPortOpen(true);
        return port;
    }

    // A close drops the bytes a silent device left waiting; standard error says how many, if any.
    void closeWithBytesWaiting()
    {
        QTemporaryDir folder;
        PtyPair pty;
        auto port = openCom1(folder, pty);
        QCOMPARE(stderrOf([&] { port->setPortOpen(false); }), QString()); // nothing waited
        port->setPortOpen(true);
        // More than a pty holds: an empty queue takes more than its limit, a waiting one up to it.
        port->output(QByteArray(port->outputLimit() + 1, 'x'));
        port->output(QByteArray(port->outputLimit() - port->outBufferCount(), 'y'));
        const qint64 waiting = port->outBufferCount();
        QCOMPARE(stderrOf([&] { port->setPortOpen(false); }),
            u"COM1 (%1): closed with %2 bytes unsent\n"_qs.arg(pty.slavePath()).arg(waiting));
        port->setPortOpen(true); // nothing left over for the next session
        pty.readFor(200); // what the device took before the close
        port->output(QByteArray("new"));
        QCOMPARE(pty.read(3), QByteArray("new"));
        // The write notifier at rest once the bytes are out, not waking the loop for nothing.
        QVERIFY(!port->findChild<QSocketNotifier *>({}, Qt::FindDirectChildrenOnly)->isEnabled());
        // And a port dropped as the program ends.
        port->output(QByteArray(port->outputLimit(), 'z'));
        QVERIFY(stderrOf([&] { port.reset(); }).contains(u"bytes unsent"_qs));
    }

    // Unplugged or flooded with read errors, the port closes, then says so once; strays add none.
    void connectionLost()
    {
        QTemporaryDir folder;
        PtyPair pty;
        const auto port = openCom1(folder, pty);
        QSerialPort *serial = port->findChild<QSerialPort *>();
        QList<bool> openWhenLost;
        connect(port.get(), &SerialPort::ConnectionLost, port.get(),
            [&] { openWhenLost << port->portOpen(); });
        Q_EMIT serial->errorOccurred(QSerialPort::ResourceError);
        QCOMPARE(errorOf([&] { port->output(QByteArray("x")); }), ErrorNumber::DeviceIo); // gone
        QTRY_COMPARE(openWhenLost, QList<bool> {false});
        port->setPortOpen(true);
        Q_EMIT serial->errorOccurred(QSerialPort::ResourceError);
        port->setPortOpen(false);
        QCoreApplication::processEvents(); // the loss handled after the close
        Q_EMIT serial->errorOccurred(QSerialPort::ResourceError); // closed: nothing to lose
        port->setPortOpen(true);
        for (int i = 0; i < 999; ++i)
            Q_EMIT serial->errorOccurred(QSerialPort::ReadError);
        QTest::qWait(1100); // a second on, the count starts again
        Q_EMIT serial->errorOccurred(QSerialPort::ReadError);
        pty.write("r"); // a good read starts the count again
        QTRY_VERIFY(serial->bytesAvailable() > 0);
        for (int i = 0; i < 999; ++i)
            Q_EMIT serial->errorOccurred(QSerialPort::ReadError);
        QCoreApplication::processEvents();
        QVERIFY(port->portOpen());
        Q_EMIT serial->errorOccurred(QSerialPort::ReadError); // a thousand within a second
        QTRY_VERIFY(!port->portOpen());
        QCOMPARE(openWhenLost, (QList<bool> {false, false}));
        port->setPortOpen(true);
        Q_EMIT serial->errorOccurred(QSerialPort::ReadError); // reopened, the count starts again
        QCoreApplication::processEvents();
        QVERIFY(port->portOpen());
    }

    // Lines read in place of the pty's: changes raise events, edges between polls too; a failed
    // poll raises nothing, a failed line read throws; lines unreadable at open are never polled.
    void inputLines()
    {
        using L = InputLines;
        using Edges = std::array<quint32, 4>; // CTS, DSR, CD, rings counted since the first read
        QTemporaryDir folder;
        PtyPair pty;
        std::optional<L> lines = L {true, false, false, false, Edges {}}; // CTS on at open: no news
        int reads = 0;
        const auto port = openCom1(folder, pty, [&] { return ++reads, lines; });
        QList<qint16> events;
        connect(port.get(), &SerialPort::OnComm, port.get(), [&] { events << port->commEvent(); });
        lines.reset(); // a failed poll read: nothing told, polling goes on
        QTest::qWait(5 * QSerialPortAdapter::LinePollMilliseconds);
        QCOMPARE(events, QList<qint16> {});
        lines = L {true, false, true, false, Edges {0, 0, 0, 1}}; // CD on, a ring between polls
        QTest::qWait(5 * QSerialPortAdapter::LinePollMilliseconds);
        QCOMPARE(std::exchange(events, {}), (QList<qint16> {L::EvCD, L::EvRing}));
        QVERIFY2(reads < 100, qPrintable(u"%1 reads"_qs.arg(reads))); // polled, not in a busy loop
        QCOMPARE(port->ctsHolding(), true);
        lines.reset();
        QCOMPARE(errorOf([&] { port->ctsHolding(); }), ErrorNumber::DeviceIo);
        // Its owner closes the port at the first of two changes: the second is not told.
        connect(port.get(), &SerialPort::OnComm, port.get(), [&] { port->setPortOpen(false); });
        lines = L {false, true, true, false, Edges {0, 0, 0, 1}};
        QTest::qWait(5 * QSerialPortAdapter::LinePollMilliseconds);
        QCOMPARE(events, QList<qint16> {L::EvCTS});
        // Lines that cannot be read at open: never polled, read as off.
        lines.reset();
        reads = 0;
        port->setPortOpen(true);
        QTest::qWait(3 * QSerialPortAdapter::LinePollMilliseconds);
        QCOMPARE(reads, 1);
        QCOMPARE(port->ctsHolding(), false);
    }

    // Speed and stop bits reach the device; parity and data bits, which a pty drops, are as asked.
    void lineAtTheDevice_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<uint>("speed");
        QTest::addColumn<bool>("twoStopBits");
        QTest::addColumn<QString>("asked"); // QSerialPort's parity, data bits, stop bits
        QTest::newRow("mark") << u"19200,m,8,2"_qs << uint(B19200) << true << u"5,8,2"_qs;
        QTest::newRow("space") << u"115200,s,8,1"_qs << uint(B115200) << false << u"4,8,1"_qs;
        QTest::newRow("odd") << u"9600,o,5,1.5"_qs << uint(B9600) << false << u"3,5,3"_qs;
    }
    void lineAtTheDevice()
    {
        QFETCH(QString, settings);
        QTemporaryDir folder;
        PtyPair pty;
        const auto port = openCom1(folder, pty);
        port->setPortOpen(false); // set while closed, as the settings dialog does
        port->setSettings(settings);
        port->setPortOpen(true);
        termios tio {};
        const int device = ::open(qPrintable(pty.slavePath()), O_RDWR | O_NOCTTY);
        QVERIFY(::tcgetattr(device, &tio) == 0);
        ::close(device);
        QTEST(uint(cfgetospeed(&tio)), "speed");
        QTEST((tio.c_cflag & CSTOPB) != 0, "twoStopBits");
        const QSerialPort *q = port->findChild<QSerialPort *>();
        QTEST(u"%1,%2,%3"_qs.arg(q->parity()).arg(q->dataBits()).arg(q->stopBits()), "asked");
    }

    // Kept by the adapter over a pty and by the fake the window tests use for modem lines.
    void contract_data()
    {
        QTest::addColumn<bool>("fake");
        QTest::newRow("adapter") << false;
        QTest::newRow("fake port") << true;
    }
    void contract()
    {
        QFETCH(bool, fake);
        QTemporaryDir folder;
        ProgramFolders::setProgram(folder.path());
        const auto at = [&](const char *name) { return folder.filePath(name); };
        PtyPair pty;
        QVERIFY(QDir(folder.path()).mkpath("ports")
            && QFile::link(pty.slavePath(), at("ports/com1"))
            && QFile::link(at("ports/com1"), at("ports/com2"))
            && QFile::link(at("gone"), at("ports/com7")));
        const auto newPort = [&](qint16 number) {
            auto port = fake ? std::unique_ptr<SerialPort>(std::make_unique<FakeSerialPort>())
                             : std::make_unique<QSerialPortAdapter>(ProgramFolders::ports());
            port->setCommPort(number);
            return port;
        };
        auto port = newPort(2);
        for (const int number : {0, -1}) // numbers that name no port
            QCOMPARE(errorOf([&] { newPort(qint16(number))->setPortOpen(true); }),
                ErrorNumber::InvalidPortNumber);
        QCOMPARE(errorOf([&] { port->input(); }), ErrorNumber::PortNotOpen);
        QCOMPARE(errorOf([&] { port->output("x"); }), ErrorNumber::PortNotOpen);
        port->setPortOpen(false); // closing a closed port is no error
        port->setPortOpen(true);
        int again = 0; // refused before the device is tried: nothing on standard error
        QCOMPARE(stderrOf([&] { again = errorOf([&] { port->setPortOpen(true); }); }), QString());
        QCOMPARE(again, ErrorNumber::PortAlreadyOpen);
        QCOMPARE(errorOf([&] { port->setCommPort(3); }), ErrorNumber::InvalidWhileOpen);
        port->setSettings(u"19200,e,7,1"_qs);
        QCOMPARE(errorOf([&] { port->setSettings(u"19200,q,7,1"_qs); }),
            ErrorNumber::InvalidPropertyValue);
        QCOMPARE(port->settings(), u"19200,e,7,1"_qs);
        if (fake)
            return;
        QCOMPARE(port->findChild<QSerialPort *>()->baudRate(), 19200); // settings apply at once
        QCOMPARE(errorOf([&] { newPort(7)->setPortOpen(true); }), ErrorNumber::InvalidPortNumber);

        // Bytes go out unchanged, in order.
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        port->output(all);
        port->output(QByteArray("AT\r"));
        QCOMPARE(pty.read(all.size() + 3).toHex(' '), (all + "AT\r").toHex(' '));
        // After a read, reading rests: what comes meanwhile is one event when the rest is over.
        QList<qint64> events; // when, in ms of a steady clock
        connect(port.get(), &SerialPort::OnComm, this,
            [&] { events << QDeadlineTimer::current().deadline(); });
        pty.write("a");
        QTRY_COMPARE(events.size(), 1);
        pty.write("b");
        QTRY_COMPARE(events.size(), 2);
        QVERIFY(events[1] - events[0] >= QSerialPortAdapter::ReadRestMs * 3 / 4);
        QCOMPARE(port->input(), QByteArray("ab"));
    }
};

QTEST_GUILESS_MAIN(tst_SerialPortContract)
#include "tst_serialportcontract.moc"
