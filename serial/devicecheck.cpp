// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/devicecheck.h"

#include "core/runtimeerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

#ifdef Q_OS_LINUX
#include <csignal>
#include <fcntl.h>
#include <linux/serial.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

namespace {

[[noreturn]] void notUsable(const QString &path, PortFailure::Kind kind, const QString &why)
{
    throw RunTimeError {ErrorNumber::InvalidPortNumber, why, {.kind = kind, .device = path}};
}

[[noreturn]] void held(PortFailure failure, const QString &why)
{
    throw RunTimeError {ErrorNumber::PortAlreadyOpen, why, std::move(failure)};
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

#ifdef Q_OS_LINUX
// The fields of /proc/<process>/stat after the command name, which may hold blanks and
// parentheses: state, parent, process group, session, terminal, ...
QList<QByteArray> statFields(const QString &process)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(process));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    const QByteArray line = stat.read(4096);
    return line.mid(line.lastIndexOf(')') + 1).simplified().split(' ');
}

// A process's controlling terminal device and its session, or nothing.
std::optional<std::pair<dev_t, qint64>> terminalOf(const QString &process)
{
    const QList<QByteArray> fields = statFields(process);
    const unsigned nr = fields.size() < 5 ? 0 : fields[4].toUInt();
    if (nr == 0)
        return std::nullopt;
    return std::pair {
        makedev((nr >> 8) & 0xFFF, (nr & 0xFF) | ((nr >> 12) & 0xFFF00)), fields[3].toLongLong()};
}

// The session whose controlling terminal device is, 0 for none: a shell's pty or a getty's
// console is never a device under test.
qint64 sessionOf(dev_t device)
{
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &pid : pids) {
        if (!pid.front().isDigit())
            continue;
        const auto terminal = terminalOf(pid);
        if (terminal && terminal->first == device)
            return terminal->second;
    }
    return 0;
}

// What a lock file says: the process id in it, or that it is no regular file, which counts as
// held. The lock folder is writable by everyone, so the file is opened without following a link
// and without waiting: a FIFO put there would otherwise block the open until someone writes it.
struct LockOwner
{
    bool regular = true;
    pid_t pid = 0;
};

// A regular lock holds ten ASCII digits and a newline (often with blanks before it and the
// program's name after it), or a binary 4-byte number; a pid of 0 when it holds neither.
LockOwner lockOwner(const QString &file)
{
    const int fd = ::open(QFile::encodeName(file).constData(),
        O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    struct stat st
    {
    };
    // A link is refused by O_NOFOLLOW, a socket cannot be opened at all: neither is a stale lock
    // of ours to remove. One that vanished meanwhile is gone, as a removed stale one would be.
    if (fd < 0)
        return {::lstat(QFile::encodeName(file).constData(), &st) != 0 || S_ISREG(st.st_mode), 0};
    char data[128];
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    const ssize_t size = regular ? ::read(fd, data, sizeof data) : 0;
    ::close(fd);
    if (!regular)
        return {false, 0};
    const QByteArray bytes(data, std::max<ssize_t>(size, 0));
    // "123\n" is text, though four bytes long.
    const bool asText = std::all_of(bytes.begin(), bytes.end(),
        [](char c) { return (c >= '0' && c <= '9') || c == ' ' || c == '\n'; });
    if (bytes.size() == 4 && !asText) {
        qint32 pid = 0;
        std::memcpy(&pid, bytes.constData(), sizeof pid);
        return {true, pid_t(pid)};
    }
    const QByteArray text = bytes.trimmed();
    qsizetype digits = 0;
    while (digits < text.size() && digits < 10 && text[digits] >= '0' && text[digits] <= '9')
        ++digits;
    return {true, pid_t(text.left(digits).toInt())};
}

bool isZombie(pid_t pid)
{
    return statFields(QString::number(pid)).value(0) == "Z";
}

// Held by a process, named by its program where /proc tells it.
PortFailure heldByProcess(const QString &path, qint64 pid)
{
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    return {.kind = PortFailure::Kind::Held,
        .device = path,
        .holder = pid,
        .program = comm.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(comm.readAll().trimmed())
                                                  : QString()};
}

// Our own id in a lock is a dead process's whose id came round to us, since this program opens a
// port once; a zombie will never close the port it locked.
bool holdsLock(pid_t pid)
{
    return pid > 0 && pid != ::getpid() && (::kill(pid, 0) == 0 || errno == EPERM)
        && !isZombie(pid);
}
#endif

} // namespace

void DeviceCheck::beforeOpen(
    [[maybe_unused]] const QString &path, [[maybe_unused]] const QString &lockFolder)
{
#ifdef Q_OS_LINUX
    struct stat st
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        const int error = errno;
        const bool missing = error == ENOENT || error == ENOTDIR;
        // A dangling entry in the ports folder: the person looks for the device it names.
        const QFileInfo entry(path);
        throw RunTimeError {ErrorNumber::InvalidPortNumber, systemReason(error),
            {.kind = missing ? PortFailure::Kind::Missing : PortFailure::Kind::Other,
                .device = entry.isSymLink() ? entry.symLinkTarget() : path,
                .system = systemReason(error)}};
    }
    if (!S_ISCHR(st.st_mode)) {
        notUsable(path, PortFailure::Kind::NotSerial,
            S_ISDIR(st.st_mode) ? systemReason(EISDIR) : QStringLiteral("Not a device"));
    }
    const unsigned maj = major(st.st_rdev);
    const unsigned min = minor(st.st_rdev);
    // /dev/tty, the console and the pty multiplexer (major 5), the virtual consoles (major 4
    // below 64): opening one as a port would put a terminal of this machine into raw mode.
    const auto own = terminalOf(QStringLiteral("self"));
    if (maj == 5 || (maj == 4 && min < 64) || (own && st.st_rdev == own->first))
        notUsable(path, PortFailure::Kind::NotSerial,
            QStringLiteral("Not a serial port (a terminal of this system)"));
    // Opening another session's terminal would take its user's typing away from the shell.
    if (const qint64 session = sessionOf(st.st_rdev)) {
        held(heldByProcess(path, session),
            QStringLiteral("The terminal of session %1").arg(session));
    }

    // The usual names of a UUCP lock: the path below /dev with '/' as '_' (lockdev, QSerialPort)
    // and the bare file name (minicom, picocom).
    QString below
        = path.startsWith(QLatin1String("/dev/")) ? path.mid(5) : QFileInfo(path).fileName();
    QStringList names {
        below.replace(QLatin1Char('/'), QLatin1Char('_')), QFileInfo(path).fileName()};
    names.removeDuplicates();
    for (const QString &name : names) {
        const QString file = lockFolder + QStringLiteral("/LCK..") + name;
        if (!QFileInfo::exists(file) && !QFileInfo(file).isSymLink())
            continue;
        const LockOwner owner = lockOwner(file);
        const PortFailure unnamed {.kind = PortFailure::Kind::Held, .device = path};
        if (!owner.regular)
            held(unnamed, QStringLiteral("Lock file %1 is not a regular file").arg(file));
        if (holdsLock(owner.pid)) {
            held(heldByProcess(path, owner.pid),
                QStringLiteral("Locked by process %1 (%2)").arg(owner.pid).arg(file));
        }
        if (::unlink(QFile::encodeName(file).constData()) != 0 && errno != ENOENT) {
            held(unnamed,
                QStringLiteral("Stale lock file %1 cannot be removed: %2")
                    .arg(file, systemReason(errno)));
        }
    }
#endif
}

void DeviceCheck::afterOpen([[maybe_unused]] int fd, [[maybe_unused]] const QString &path)
{
#ifdef Q_OS_LINUX
    // Kept until the device closes, so that programs checking with flock() see it held too.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        const PortFailure holder = heldBy(path);
        held(holder,
            holder.holder ? QStringLiteral("Locked with flock() by process %1").arg(holder.holder)
                          : QStringLiteral("Locked with flock() by another process"));
    }
    struct stat st
    {
    };
    serial_struct info {};
    // A legacy UART node exists whether or not a chip is there; the driver knows which.
    if (::fstat(fd, &st) == 0 && major(st.st_rdev) == 4 && ::ioctl(fd, TIOCGSERIAL, &info) == 0
        && info.type == PORT_UNKNOWN)
        notUsable(path, PortFailure::Kind::NotSerial, QStringLiteral("No UART behind this port"));
#endif
}

PortFailure DeviceCheck::heldBy(const QString &path)
{
    PortFailure failure {.kind = PortFailure::Kind::Held, .device = path};
#ifdef Q_OS_LINUX
    struct stat st
    {
    };
    QFile locks(QStringLiteral("/proc/locks"));
    if (::stat(QFile::encodeName(path).constData(), &st) != 0
        || !locks.open(QIODevice::ReadOnly | QIODevice::Text))
        return failure;
    // "1: FLOCK  ADVISORY  WRITE 1234 00:19:5 0 EOF": the holder's id, then the locked inode as
    // its file system's major and minor in hexadecimal and its number. A waiter's line has "->"
    // after the first field and is no holder.
    const QByteArray inode = QByteArray::number(major(st.st_dev), 16).rightJustified(2, '0') + ':'
        + QByteArray::number(minor(st.st_dev), 16).rightJustified(2, '0') + ':'
        + QByteArray::number(quint64(st.st_ino));
    // A file of /proc tells no size, so it is read whole rather than line by line to its end.
    for (const QByteArray &line : locks.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() >= 6 && fields[1] != "->" && fields[5] == inode)
            return heldByProcess(path, fields[4].toLongLong());
    }
#endif
    return failure;
}
