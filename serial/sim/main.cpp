// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later

// vedira-sim: a device on a pseudo-terminal for running Vedira without hardware. It links
// ports/comN in the settings folder to its terminal and answers every byte (echo) or acts as
// Modbus RTU slave 1. The link goes away when the simulator ends on SIGTERM or SIGINT.

#include "core/programfolders.h"
#include "core/quitsignals.h"
#include "serial/devicecheck.h"
#include "serial/sim/modbusslave.h"
#include "version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

[[noreturn]] void fail(const QString &why)
{
    std::fprintf(stderr, "vedira-sim: %s\n", qPrintable(why));
    std::exit(1);
}

// A command line it cannot follow ends with 2, as a usage error does for other commands.
[[noreturn]] void usage(const QString &why)
{
    std::fprintf(stderr, "vedira-sim: %s\n", qPrintable(why));
    std::exit(2);
}

class Device : public QObject
{
public:
    Device(int master, bool modbus, qint32 baud)
        : m_master(master)
        , m_modbus(modbus)
        , m_slave(baud)
        , m_readNotifier(master, QSocketNotifier::Read)
        , m_writeNotifier(master, QSocketNotifier::Write)
    {
        m_clock.start();
        m_writeNotifier.setEnabled(false);
        m_frameEnd.setSingleShot(true);
        // Whole milliseconds, rounded up, plus one so the gap has surely passed when it fires.
        m_frameEnd.setInterval(int((m_slave.frameGapMicroseconds() + 999) / 1000) + 1);
        connect(&m_readNotifier, &QSocketNotifier::activated, this, &Device::readable);
        connect(&m_writeNotifier, &QSocketNotifier::activated, this, &Device::writable);
        connect(&m_frameEnd, &QTimer::timeout, this, [this] { send(m_slave.poll(now())); });
    }

private:
    qint64 now() const { return m_clock.nsecsElapsed() / 1000; }

    void readable()
    {
        char buffer[4096];
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0)
            return;
        const QByteArray bytes(buffer, n);
        if (!m_modbus) {
            send(bytes);
            return;
        }
        send(m_slave.feed(bytes, now()));
        m_frameEnd.start();
    }

    void send(const QByteArray &bytes)
    {
        m_out.append(bytes);
        writable();
    }

    void writable()
    {
        while (!m_out.isEmpty()) {
            const ssize_t n = ::write(m_master, m_out.constData(), size_t(m_out.size()));
            if (n <= 0)
                break;
            m_out.remove(0, n);
        }
        m_writeNotifier.setEnabled(!m_out.isEmpty());
    }

    int m_master;
    bool m_modbus;
    ModbusSlave m_slave;
    QSocketNotifier m_readNotifier;
    QSocketNotifier m_writeNotifier;
    QTimer m_frameEnd;
    QElapsedTimer m_clock;
    QByteArray m_out;
};

// A link to a pseudo-terminal left by a simulator that was killed: its terminal is gone, or the
// simulator named beside it is. Its number may by now name someone else's terminal, so a link
// that only points at a live pty is no proof of being ours.
bool isStaleLink(const QFileInfo &entry, const QString &pidFile)
{
    if (!entry.isSymLink() || !entry.symLinkTarget().startsWith(QLatin1String("/dev/pts/")))
        return false;
    if (!entry.exists())
        return true;
    QFile owner(pidFile);
    const qint64 pid = owner.open(QIODevice::ReadOnly) ? owner.read(32).trimmed().toLongLong() : 0;
    return pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

// A client killed while it held the port leaves the terminal exclusive, and with our end open the
// kernel keeps it so: nobody could open the port again. Each time a client closes the terminal and
// no process holds an flock() on it any more, a hold left standing is released.
void releaseExclusiveAtClose(int slave, const QString &path, QObject *parent)
{
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watch < 0)
        return; // then a killed client's hold stays until the simulator restarts
    if (::inotify_add_watch(watch, QFile::encodeName(path).constData(), IN_CLOSE) < 0) {
        ::close(watch);
        return;
    }
    auto *closes = new QSocketNotifier(watch, QSocketNotifier::Read, parent);
    QObject::connect(closes, &QSocketNotifier::activated, closes, [=] {
        char events[4096];
        while (::read(watch, events, sizeof events) > 0) { }
        int exclusive = 0;
        if (::ioctl(slave, TIOCGEXCL, &exclusive) == 0 && exclusive
            && DeviceCheck::heldBy(path).holder == 0)
            ::ioctl(slave, TIOCNXCL);
    });
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vedira-sim"));
    QCoreApplication::setApplicationVersion(QLatin1String(Version::Number));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Simulated serial device on a pseudo-terminal, linked as ports/comN."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
        QStringLiteral("Port number N of ports/comN (1)."), QStringLiteral("N"),
        QStringLiteral("1"));
    const QCommandLineOption folderOption(QStringLiteral("folder"),
        QStringLiteral("Folder holding ports/ (where the program beside it looks)."),
        QStringLiteral("dir"), ProgramFolders::settings());
    const QCommandLineOption echoOption(
        QStringLiteral("echo"), QStringLiteral("Send every byte back (default)."));
    const QCommandLineOption modbusOption(
        QStringLiteral("modbus"), QStringLiteral("Answer as Modbus RTU slave 1."));
    const QCommandLineOption baudOption(QStringLiteral("baud"),
        QStringLiteral("Line speed that sets the Modbus frame gap (9600)."),
        QStringLiteral("speed"), QStringLiteral("9600"));
    parser.addOptions({portOption, folderOption, echoOption, modbusOption, baudOption});
    if (!parser.parse(app.arguments()))
        usage(parser.errorText());
    parser.process(app); // only answers --help, --help-all and --version now: the line parsed
    if (!parser.positionalArguments().isEmpty())
        usage(QStringLiteral("unexpected argument '%1'")
                  .arg(parser.positionalArguments().constFirst()));

    bool ok = false;
    const int port = parser.value(portOption).toInt(&ok);
    if (!ok || port < 1)
        usage(QStringLiteral("--port needs a number from 1"));
    const qint32 baud = parser.value(baudOption).toInt(&ok);
    if (!ok || baud < 1)
        usage(QStringLiteral("--baud needs a positive number"));
    const bool modbus = parser.isSet(modbusOption);

    // Before making our terminal: it may get the number a stale link still names.
    const QDir folder(parser.value(folderOption));
    const QFileInfo ports(folder.filePath(QStringLiteral("ports")));
    if (ports.isSymLink() && ports.ownerId() != ::geteuid())
        fail(QStringLiteral("%1 is a link of another user").arg(ports.filePath()));
    if (!folder.mkpath(QStringLiteral("ports")))
        fail(QStringLiteral("cannot create %1").arg(folder.filePath(QStringLiteral("ports"))));
    const QString linkPath = folder.filePath(QStringLiteral("ports/com%1").arg(port));
    const QString pidPath = folder.filePath(QStringLiteral("ports/.com%1.sim").arg(port));
    const QFileInfo entry(linkPath);
    if (entry.exists() || entry.isSymLink()) {
        if (!isStaleLink(entry, pidPath))
            fail(QStringLiteral("%1 already exists and is not ours").arg(linkPath));
        QFile::remove(linkPath);
    }

    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
        fail(QStringLiteral("cannot create a pseudo-terminal"));
    const QString slavePath = QString::fromLocal8Bit(::ptsname(master));

    // Holding the slave end open keeps the master from seeing a hang-up each time the terminal
    // closes the port, and raw mode stops the line discipline from echoing our own replies.
    const int slave = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
    if (slave < 0)
        fail(QStringLiteral("cannot open %1").arg(slavePath));
    termios tio {};
    if (::tcgetattr(slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(slave, TCSANOW, &tio);
    }

    if (::symlink(qPrintable(slavePath), qPrintable(linkPath)) != 0)
        fail(QStringLiteral("cannot link %1: %2")
                 .arg(linkPath, QString::fromLocal8Bit(strerror(errno))));
    QSaveFile pidFile(pidPath);
    if (!pidFile.open(QIODevice::WriteOnly)
        || pidFile.write(QByteArray::number(qint64(::getpid()))) < 0 || !pidFile.commit()) {
        QFile::remove(linkPath);
        fail(QStringLiteral("cannot write %1").arg(pidPath));
    }

    const QuitSignals quitSignals(&QCoreApplication::quit);
    Device device(master, modbus, baud);
    releaseExclusiveAtClose(slave, slavePath, &device);
    std::printf("vedira-sim: COM%d -> %s (%s)\n", port, qPrintable(slavePath),
        modbus ? "Modbus RTU slave 1" : "echo");
    std::fflush(stdout);

    const int result = app.exec();

    // Only remove the link if it is still ours; someone may have pointed it elsewhere.
    if (QFileInfo(linkPath).symLinkTarget() == slavePath) {
        QFile::remove(linkPath);
        QFile::remove(pidPath);
    }
    ::close(slave);
    ::close(master);
    return result;
}
