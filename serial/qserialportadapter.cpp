// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/qserialportadapter.h"

#include "serial/devicecheck.h"
#include "serial/portnumber.h"

#include <QFile>
#include <QMetaObject>

#include <algorithm>
#include <cstdio>
#include <utility>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <linux/serial.h>
#endif

namespace {

// A pseudo-terminal whose master end has closed makes every read fail at once, tens of
// thousands of times a second, while QSerialPort keeps the port open. A real line produces a
// stray read error now and then, never this many in a row without data between.
constexpr int ReadErrorFlood = 1000;
constexpr qint64 ReadErrorWindowMs = 1000;

bool isPseudoTerminal(const QString &path)
{
    return path.startsWith(QLatin1String("/dev/pts/"));
}

// QSerialPort reports both its lock file held by another program and a device that answers
// EBUSY as PermissionError. Only a device we may not open at all is a plain permission problem.
bool deniedByPermissions([[maybe_unused]] const QString &path)
{
#ifdef Q_OS_UNIX
    return ::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), R_OK | W_OK, AT_EACCESS) != 0
        && errno == EACCES;
#else
    return false;
#endif
}

// The remedy for a device this user may not open: joining its group helps only when that group may
// read and write it.
PortFailure deniedFailure(const QString &path)
{
    PortFailure failure {.kind = PortFailure::Kind::Permission, .device = path};
#ifdef Q_OS_UNIX
    if (const passwd *user = ::getpwuid(::geteuid()))
        failure.user = QString::fromLocal8Bit(user->pw_name);
    else
        failure.user = qEnvironmentVariable("USER");
    struct stat st
    {
    };
    const group *owners = nullptr;
    if (::stat(QFile::encodeName(path).constData(), &st) == 0 && (st.st_mode & 0060) == 0060
        && st.st_gid != 0 && (owners = ::getgrgid(st.st_gid)))
        failure.group = QString::fromLocal8Bit(owners->gr_name);
#endif
    return failure;
}

RunTimeError openFailure(
    QSerialPort::SerialPortError error, const QString &path, const QString &why)
{
    switch (error) {
    case QSerialPort::PermissionError:
        if (deniedByPermissions(path))
            return {ErrorNumber::InvalidPortNumber, why, deniedFailure(path)};
        return {ErrorNumber::PortAlreadyOpen, why, DeviceCheck::heldBy(path)};
    case QSerialPort::OpenError:
        return {ErrorNumber::PortAlreadyOpen, why, DeviceCheck::heldBy(path)};
    case QSerialPort::DeviceNotFoundError:
        return {ErrorNumber::InvalidPortNumber, why,
            {.kind = PortFailure::Kind::Missing, .device = path}};
    default:
#ifdef Q_OS_UNIX
        // A device that is no terminal at all (/dev/null, a sensor's node) fails the first
        // terminal call, and Qt keeps only the system's words for it.
        if (why == qt_error_string(ENOTTY))
            return {ErrorNumber::InvalidPortNumber, why,
                {.kind = PortFailure::Kind::NotSerial, .device = path}};
#endif
        // Whatever else keeps a device from opening (no serial line, a pty whose master was never
        // unlocked) makes it no usable port.
        return {ErrorNumber::InvalidPortNumber, why,
            {.kind = PortFailure::Kind::Other, .device = path, .system = why}};
    }
}

} // namespace

QSerialPortAdapter::QSerialPortAdapter(
    const QString &portsFolder, const QString &lockFolder, QObject *parent)
    : SerialPort(parent)
    , m_portsFolder(portsFolder)
    , m_lockFolder(lockFolder)
{
    m_lineTimer.setInterval(LinePollMilliseconds);
    connect(&m_lineTimer, &QTimer::timeout, this, &QSerialPortAdapter::pollLines);
    m_readRest.setSingleShot(true);
    connect(&m_readRest, &QTimer::timeout, this, &QSerialPortAdapter::resumeReading);
    connect(&m_port, &QSerialPort::readyRead, this, &QSerialPortAdapter::dataArrived);
    connect(&m_port, &QSerialPort::errorOccurred, this, &QSerialPortAdapter::portError);
}

QSerialPortAdapter::~QSerialPortAdapter()
{
    close();
}

void QSerialPortAdapter::setCommPort(qint16 number)
{
    if (m_port.isOpen()) {
        throw RunTimeError {ErrorNumber::InvalidWhileOpen,
            QStringLiteral("The port number cannot change while the port is open")};
    }
    if (number < 1) {
        throw RunTimeError {
            ErrorNumber::InvalidPortNumber, QStringLiteral("Invalid port number %1").arg(number)};
    }
    m_commPort = number;
}

void QSerialPortAdapter::setSettings(const QString &settings)
{
    const LineSettings line = LineSettings::parse(settings);
    if (m_port.isOpen())
        applySettings(line);
    m_settings = settings;
    m_line = line;
}

void QSerialPortAdapter::setPortOpen(bool open)
{
    if (open)
        this->open();
    else
        close();
}

void QSerialPortAdapter::open()
{
    if (m_port.isOpen())
        throw RunTimeError {ErrorNumber::PortAlreadyOpen, QStringLiteral("Port already open")};
    const QString path = PortNumber::devicePath(m_commPort, m_portsFolder);
    try {
        openDevice(path);
        m_device = path;
    } catch (const RunTimeError &e) {
        // Kept for a log when the program runs from a terminal; the box tells the person.
        std::fprintf(stderr, "COM%d (%s): %s\n", int(m_commPort), qPrintable(path),
            qPrintable(e.description));
        std::fflush(stderr);
        throw;
    }
}

void QSerialPortAdapter::openDevice(const QString &path)
{
    DeviceCheck::beforeOpen(path, m_lockFolder);
    m_isPty = isPseudoTerminal(path);
    m_port.setPortName(path);

    // QSerialPort reports an error in its open before it counts as open, so portError skips it.
    if (!m_port.open(QIODevice::ReadWrite))
        throw openFailure(m_port.error(), path, m_port.errorString());
    try {
        DeviceCheck::afterOpen(int(m_port.handle()), path);
        applySettings(m_line);
    } catch (...) {
        m_port.close();
        throw;
    }

    m_readErrors = 0;
#ifdef Q_OS_UNIX
    m_writable = std::make_unique<QSocketNotifier>(m_port.handle(), QSocketNotifier::Write, this);
    connect(m_writable.get(), &QSocketNotifier::activated, this, &QSerialPortAdapter::writeQueued);
#endif
    // The lines' state at open is the baseline: a line already on raises nothing. A device that
    // cannot report its lines then (a pseudo-terminal) never will: it is not polled.
    m_edgesReadable = true;
    const std::optional<InputLines> atOpen = readLines();
    m_linesReadable = atOpen.has_value();
    m_lines = atOpen.value_or(InputLines {});
    if (m_linesReadable)
        m_lineTimer.start();
}

void QSerialPortAdapter::close()
{
    if (m_outBytes > 0 && m_port.isOpen()) {
        std::fprintf(stderr, "COM%d (%s): closed with %lld bytes unsent\n", int(m_commPort),
            qPrintable(m_device), static_cast<long long>(m_outBytes));
        std::fflush(stderr);
    }
    m_lineTimer.stop();
    m_readRest.stop();
    m_writable.reset();
    m_outQueue.clear();
    m_outHead = 0;
    m_outBytes = 0;
    m_losing = false;
    if (m_port.isOpen())
        m_port.close();
    m_port.clearError();
}

void QSerialPortAdapter::applySettings(const LineSettings &line)
{
    QSerialPort::Parity parity = QSerialPort::NoParity;
    switch (line.parity) {
    case LineSettings::Parity::None:
        break;
    case LineSettings::Parity::Even:
        parity = QSerialPort::EvenParity;
        break;
    case LineSettings::Parity::Odd:
        parity = QSerialPort::OddParity;
        break;
    case LineSettings::Parity::Mark:
        parity = QSerialPort::MarkParity;
        break;
    case LineSettings::Parity::Space:
        parity = QSerialPort::SpaceParity;
        break;
    }
    QSerialPort::StopBits stop = QSerialPort::OneStop;
    switch (line.stopBits) {
    case LineSettings::StopBits::One:
        break;
    case LineSettings::StopBits::OneAndHalf:
        stop = QSerialPort::OneAndHalfStop;
        break;
    case LineSettings::StopBits::Two:
        stop = QSerialPort::TwoStop;
        break;
    }

    // A pseudo-terminal has no parity or framing to set; it refuses some settings (even parity,
    // 7 data bits) that mean nothing to it. Refusing to open over them would make the simulated
    // device unusable with half of the settings a user can pick.
    const auto check = [this](bool ok) {
        if (ok || m_isPty) {
            m_port.clearError();
            return;
        }
        const QString why = m_port.errorString();
        m_port.clearError();
        throw RunTimeError {
            ErrorNumber::InvalidPropertyValue, QStringLiteral("Settings refused: %1").arg(why)};
    };
    check(m_port.setBaudRate(line.speed));
    check(m_port.setDataBits(QSerialPort::DataBits(line.dataBits)));
    check(m_port.setParity(parity));
    check(m_port.setStopBits(stop)); // flow control stays QSerialPort's own: none
}

void QSerialPortAdapter::requireOpen() const
{
    if (!m_port.isOpen())
        throw RunTimeError {ErrorNumber::PortNotOpen, QStringLiteral("The port is not open")};
}

qsizetype QSerialPortAdapter::outputLimit() const
{
    // About ten bits a character on the wire.
    return std::max<qsizetype>(1024 * 1024, qsizetype(m_line.speed));
}

void QSerialPortAdapter::output(const QByteArray &bytes)
{
    requireOpen();
    if (m_losing)
        throw RunTimeError {ErrorNumber::DeviceIo, QStringLiteral("The device is gone")};
    if (m_outBytes > 0 && m_outBytes + bytes.size() > outputLimit()) {
        throw RunTimeError {ErrorNumber::OutputFull,
            QStringLiteral("%1 bytes still wait for the device").arg(m_outBytes)};
    }
    if (bytes.isEmpty())
        return;
    m_outQueue.append(bytes);
    m_outBytes += bytes.size();
    // Written now rather than on a later pass of the event loop, behind receive handling and
    // repaints: a continuous send keeps its period to the millisecond.
    writeQueued();
}

void QSerialPortAdapter::writeQueued()
{
#ifdef Q_OS_UNIX
    const int fd = int(m_port.handle());
    while (!m_outQueue.isEmpty() && !m_losing) {
        const QByteArray &first = m_outQueue.first();
        const ssize_t n
            = ::write(fd, first.constData() + m_outHead, size_t(first.size() - m_outHead));
        if (n < 0 && errno == EINTR)
            continue;
        static_assert(EAGAIN == EWOULDBLOCK, "one number for a busy device on every Unix");
        if (n < 0 && errno == EAGAIN)
            break; // the device is busy, not gone: the bytes wait
        if (n <= 0) {
            loseConnection(); // the device is gone (EIO once the far end of a pty closed)
            return;
        }
        m_outBytes -= n;
        m_outHead += n;
        if (m_outHead == first.size()) {
            m_outQueue.removeFirst();
            m_outHead = 0;
        }
    }
    if (m_writable)
        m_writable->setEnabled(!m_outQueue.isEmpty() && !m_losing);
#else
    for (const QByteArray &bytes : std::exchange(m_outQueue, {})) {
        if (m_port.write(bytes) != bytes.size()) {
            m_outBytes = 0;
            throw RunTimeError {ErrorNumber::DeviceIo, m_port.errorString()};
        }
    }
    m_outBytes = 0;
#endif
}

QByteArray QSerialPortAdapter::input()
{
    requireOpen();
    takeArrived();
    return m_port.readAll();
}

void QSerialPortAdapter::raiseEvent(qint16 code)
{
    // Only ever from the event loop (a read or a poll, bytes waiting at the open included), so
    // told at once: a second pass of the loop would cost a wake-up per arrival.
    m_event = code;
    emit OnComm();
}

void QSerialPortAdapter::dataArrived()
{
    if (m_takingArrived)
        return; // input() is taking them
    m_readErrors = 0;
    const qint64 arrived = m_port.bytesAvailable();
    raiseEvent(EvReceive);
    restReading(arrived);
}

void QSerialPortAdapter::restReading([[maybe_unused]] qint64 arrived)
{
#ifdef Q_OS_UNIX
    // The rest lasts as long as the device, at the pace of this read, takes to fill the line
    // discipline's 4 KB, at most ReadRestMs; a device faster than a few milliseconds of that, or
    // bytes already waiting again, are read on at once. The kernel keeps hundreds of kilobytes.
    constexpr qint64 LineBufferBytes = 4095;
    constexpr qint64 ShortestRestMs = 5;
    const qint64 sinceNs = m_sinceRead.isValid() ? m_sinceRead.nsecsElapsed() : 0;
    m_sinceRead.start();
    const qint64 restMs = sinceNs > 0
        ? std::min<qint64>(ReadRestMs, LineBufferBytes * (sinceNs / 1000) / arrived / 1000)
        : ReadRestMs;
    if (!m_port.isOpen() || restMs < ShortestRestMs || unreadWaiting())
        return;
    const auto notifiers = m_port.findChildren<QSocketNotifier *>();
    for (QSocketNotifier *notifier : notifiers) {
        if (notifier->type() == QSocketNotifier::Read && notifier->isEnabled()) {
            notifier->setEnabled(false);
            m_restingReader = notifier;
            m_readRest.start(int(restMs));
            return;
        }
    }
#endif
}

bool QSerialPortAdapter::unreadWaiting() const
{
#ifdef Q_OS_UNIX
    // A poll also moves what the driver holds into the line discipline, so it misses nothing.
    pollfd waiting {int(m_port.handle()), POLLIN, 0};
    return ::poll(&waiting, 1, 0) > 0 && (waiting.revents & POLLIN);
#else
    return false;
#endif
}

void QSerialPortAdapter::resumeReading()
{
    if (m_restingReader && m_port.isOpen())
        m_restingReader->setEnabled(true);
}

void QSerialPortAdapter::takeArrived()
{
#ifdef Q_OS_UNIX
    if (!m_readRest.isActive())
        return;
    m_readRest.stop();
    resumeReading();
    // A read takes at most the line discipline's 4 KB; a few more take what a frame brings at
    // the fastest line rates. Asked first, since an empty wait counts as an error.
    m_takingArrived = true;
    for (int reads = 0; reads < 16 && unreadWaiting(); ++reads)
        m_port.waitForReadyRead(0);
    m_takingArrived = false;
#endif
}

void QSerialPortAdapter::pollLines()
{
    if (!m_port.isOpen())
        return;
    // A read that failed has seen no change; the next one may, so polling goes on.
    const std::optional<InputLines> now = readLines();
    if (!now)
        return;
    const QList<qint16> events = InputLines::changeEvents(m_lines, *now);
    m_lines = *now;
    for (qint16 code : events) {
        if (!m_port.isOpen())
            return; // closed by its owner at an earlier change: the rest is not told
        raiseEvent(code);
    }
}

bool QSerialPortAdapter::line(bool InputLines::*state) const
{
    if (!m_port.isOpen() || !m_linesReadable)
        return m_lines.*state;
    const std::optional<InputLines> now = readLines();
    if (!now) {
        throw RunTimeError {
            ErrorNumber::DeviceIo, QStringLiteral("The input lines could not be read")};
    }
    return (*now).*state;
}

std::optional<InputLines> QSerialPortAdapter::readLines() const
{
    if (m_lineReader)
        return m_lineReader();
    const QSerialPort::PinoutSignals now = m_port.pinoutSignals();
    const QSerialPort::SerialPortError error = m_port.error();
    m_port.clearError();
    if (error != QSerialPort::NoError)
        return std::nullopt;
    InputLines lines {now.testFlag(QSerialPort::ClearToSendSignal),
        now.testFlag(QSerialPort::DataSetReadySignal),
        now.testFlag(QSerialPort::DataCarrierDetectSignal),
        now.testFlag(QSerialPort::RingIndicatorSignal), std::nullopt};
#ifdef Q_OS_LINUX
    // The counters see the pulses that come and go between two polls. A device without them says
    // so at the first read, and is polled for states alone.
    serial_icounter_struct counts {};
    if (m_edgesReadable) {
        if (::ioctl(int(m_port.handle()), TIOCGICOUNT, &counts) == 0)
            lines.edges = {
                quint32(counts.cts), quint32(counts.dsr), quint32(counts.dcd), quint32(counts.rng)};
        else if (errno == EINVAL || errno == ENOTTY)
            m_edgesReadable = false;
    }
#endif
    return lines;
}

void QSerialPortAdapter::portError(QSerialPort::SerialPortError error)
{
    if (m_losing || !m_port.isOpen())
        return;
    if (error == QSerialPort::ResourceError) {
        loseConnection();
        return;
    }
    if (error != QSerialPort::ReadError)
        return;
    if (m_readErrors == 0 || m_readErrorWindow.elapsed() > ReadErrorWindowMs) {
        m_readErrors = 0;
        m_readErrorWindow.start();
    }
    if (++m_readErrors >= ReadErrorFlood)
        loseConnection();
}

void QSerialPortAdapter::loseConnection()
{
    m_losing = true;
    // QSerialPort is inside its own read notification here; close it from the event loop.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!m_losing)
                return; // closed by its owner in the meantime
            const qint64 dropped = m_outBytes;
            close();
            emit ConnectionLost(
                {.kind = PortFailure::Kind::Lost, .device = m_device, .dropped = dropped});
        },
        Qt::QueuedConnection);
}
