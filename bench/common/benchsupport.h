// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Measuring helpers shared by the benchmark programs: memory and CPU figures of this process, a
// repeatable byte stream, a paint counter, an event-loop stall meter, the master end of a
// pseudo-terminal and a terminal window opened on its slave end.

#include "app/frmvedira.h"
#include "core/programfolders.h"
#include "serial/qserialportadapter.h"
#include "settings/module1.h"
#include "terminal/frameclock.h"
#include "terminal/frmrun.h"
#include "terminal/receiveview.h"
#include "terminal/terminalsession.h"
#include "tests/support/sharedstate.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QObject>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace Bench {

constexpr qsizetype KB = 1024;
constexpr qsizetype MB = 1024 * 1024;

// The address space and the resident part of it (/proc/self/statm), in MB.
inline std::pair<double, double> statmMB()
{
    FILE *f = std::fopen("/proc/self/statm", "r");
    long pages = 0;
    long resident = 0;
    if (f) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            pages = resident = 0;
        std::fclose(f);
    }
    const double page = double(sysconf(_SC_PAGESIZE)) / double(MB);
    return {double(pages) * page, double(resident) * page};
}

inline double residentMB()
{
    return statmMB().second;
}

inline double addressSpaceMB()
{
    return statmMB().first;
}

// The high-water mark of resident memory (VmHWM), in MB.
inline double peakResidentMB()
{
    FILE *f = std::fopen("/proc/self/status", "r");
    double kb = 0;
    if (f) {
        char line[256];
        while (std::fgets(line, sizeof line, f)) {
            if (std::strncmp(line, "VmHWM:", 6) == 0) {
                kb = std::atof(line + 6);
                break;
            }
        }
        std::fclose(f);
    }
    return kb / 1024.0;
}

// Starts the high-water mark of resident memory again from what is resident now.
inline void resetPeak()
{
    if (FILE *f = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", f);
        std::fclose(f);
    }
}

// User plus system CPU time of this process, in seconds.
inline double cpuSeconds()
{
    FILE *f = std::fopen("/proc/self/stat", "r");
    unsigned long utime = 0;
    unsigned long stime = 0;
    if (f) {
        // The command name may hold blanks; the fields after it start behind the last ')'.
        char buffer[1024];
        const size_t n = std::fread(buffer, 1, sizeof buffer - 1, f);
        buffer[n] = 0;
        std::fclose(f);
        if (const char *p = std::strrchr(buffer, ')')) {
            if (std::sscanf(
                    p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &utime, &stime)
                != 2) {
                utime = stime = 0;
            }
        }
    }
    return double(utime + stime) / double(sysconf(_SC_CLK_TCK));
}

// The load average, for the figures' context.
inline void printMachineLoad(const char *when)
{
    double load[3] = {0, 0, 0};
    if (getloadavg(load, 3) != 3)
        load[0] = load[1] = load[2] = -1;
    std::printf("machine load %s: %.2f %.2f %.2f\n", when, load[0], load[1], load[2]);
    std::fflush(stdout);
}

// The device's side of a pty master: as much as fits now (0 when full), all of it waiting for
// room, and whatever the program sent, without waiting.
inline qsizetype writeSome(int fd, const char *data, qsizetype size)
{
    const ssize_t n = ::write(fd, data, size_t(size));
    return n > 0 ? qsizetype(n) : 0;
}

inline bool writeAll(int fd, const char *data, qsizetype size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n > 0) {
            data += n;
            size -= n;
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        pollfd p {fd, POLLOUT, 0};
        ::poll(&p, 1, 100);
    }
    return true;
}

inline QByteArray drain(int fd)
{
    QByteArray out;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        out.append(buffer, n);
    }
    return out;
}

// A stream with every byte value, not periodic over a row, so wraps differ from row to row.
inline void fillChunk(char *bytes, qsizetype size, quint32 &seed)
{
    for (qsizetype i = 0; i < size; ++i) {
        seed = seed * 1664525u + 1013904223u;
        bytes[i] = char(seed >> 24);
    }
}

inline QByteArray nextChunk(quint32 &seed, qsizetype size = 4 * KB)
{
    QByteArray bytes(size, Qt::Uninitialized);
    fillChunk(bytes.data(), size, seed);
    return bytes;
}

// Counts paint events of the widgets it is installed on.
class PaintCounter : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return QObject::eventFilter(watched, event);
    }
};

// A precise timer (1 ms unless told) whose lateness is the time the event loop could not answer.
// A cost figure wants a longer interval: a 1 ms timer costs a few per cent of a core by itself.
class StallMeter : public QObject
{
public:
    explicit StallMeter(int intervalMs = 1)
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(intervalMs);
        connect(&m_timer, &QTimer::timeout, this, [this, intervalMs] {
            const double since = double(m_since.nsecsElapsed()) / 1e6;
            m_longest = std::max(m_longest, since - intervalMs);
            m_since.start();
        });
    }
    void start()
    {
        m_longest = 0;
        m_since.start();
        m_timer.start();
    }
    void stop() { m_timer.stop(); }
    // Pauses of our own making (sampling) are not the program's stalls.
    void restartInterval() { m_since.start(); }
    double longestMs() const { return m_longest; }

private:
    QTimer m_timer;
    QElapsedTimer m_since;
    double m_longest = 0;
};

// A terminal window with its own program folder, COM1 linked to the slave end of a pty, loaded
// (so its port is open), shown, and its first paints done.
class TerminalRig
{
public:
    enum When { LoadNow, LoadLater };
    explicit TerminalRig(const QString &slavePath, const QString &sendMode = QStringLiteral("0"),
        const QString &interval = QStringLiteral("1000"), When when = LoadNow)
    {
        ProgramFolders::setProgram(m_dir.path());
        QDir(m_dir.path()).mkdir(QStringLiteral("ports"));
        QFile::link(slavePath, m_dir.filePath(QStringLiteral("ports/com1")));
        Module1::ComPortNo = QStringLiteral("1");
        Module1::ComSetting = QStringLiteral("115200,n,8,1");
        Module1::SendOpt(1) = QStringLiteral("0");
        Module1::SendOpt(2) = sendMode;
        Module1::SendOpt(3) = interval;
        Module1::ReceiveClearOpt = QStringLiteral("0");
        m_frame = std::make_unique<frmVedira>();
        if (when == LoadNow)
            load();
    }
    // Creates, shows and loads the window, which opens its port.
    void load()
    {
        m_run = std::make_unique<frmRun>(
            std::make_unique<QSerialPortAdapter>(ProgramFolders::ports()));
        m_run->show();
        m_run->Form_Load();
        settle();
    }
    ~TerminalRig()
    {
        m_run.reset();
        m_frame.reset();
        resetSharedState();
        ProgramFolders::setProgram({});
    }

    frmRun &run() { return *m_run; }
    QString folder() const { return m_dir.path(); }

    // Runs the event loop for a while, sleeping when there is nothing to do.
    static void settle(int milliseconds = 200)
    {
        QEventLoop loop;
        QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<frmVedira> m_frame;
    std::unique_ptr<frmRun> m_run;
};

// A shown hexadecimal receive area at its design size holding the given megabytes of random
// bytes, a line break after every megabyte, laid out to the end.
struct FilledHexArea
{
    explicit FilledHexArea(qsizetype megabytes)
    {
        view.resize(359, 249);
        view.show();
        quint32 seed = 1;
        for (qsizetype i = 0; i < megabytes; ++i) {
            log.append(nextChunk(seed, MB));
            log.addLineBreak();
        }
        while (view.itemRect(log.byteCount() - 1).isEmpty()) // the last item not placed yet
            TerminalRig::settle(100);
    }
    ReceiveLog log;
    FrameClock frames;
    ReceiveView view {&log, ReceiveFormatter::Kind::Hexadecimal, &frames};
};

inline double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

inline const char *met(bool ok)
{
    return ok ? "met" : "MISSED";
}

} // namespace Bench
