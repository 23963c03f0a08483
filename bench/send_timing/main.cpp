// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Continuous sending of the hexadecimal line "01" every 100 ms over a pty, 101 ticks. A reader
// thread timestamps each byte as it reaches the master end; the period between two sends is
// compared with the interval plus the time of the tick that re-armed the timer (measured in the
// program: from the timer event to the end of the tick). Printed: median and worst deviation,
// the tick time, and the same measured at the timer itself, once with the receive side idle and
// once with the far end streaming back at the 115200-baud rate (11.5 KB/s).
// Run with QT_QPA_PLATFORM=offscreen.

#include "bench/common/benchsupport.h"
#include "tests/support/ptypair.h"

#include "ui/designfonts.h"
#include "ui/uitexts.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>

#include <chrono>
#include <cmath>
#include <mutex>
#include <thread>

using namespace Bench;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int Interval = 100;
constexpr int Ticks = 101;

double ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// Timestamps every byte the program sends.
class Reader
{
public:
    explicit Reader(int fd)
        : m_fd(fd)
        , m_thread([this] { loop(); })
    { }
    ~Reader()
    {
        m_quit = true;
        m_thread.join();
    }
    std::vector<Clock::time_point> arrivals()
    {
        std::lock_guard lock(m_mutex);
        return m_arrivals;
    }
    size_t count()
    {
        std::lock_guard lock(m_mutex);
        return m_arrivals.size();
    }
    void clear()
    {
        std::lock_guard lock(m_mutex);
        m_arrivals.clear();
    }

private:
    void loop()
    {
        char buffer[256];
        while (!m_quit) {
            pollfd p {m_fd, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0)
                continue;
            const Clock::time_point now = Clock::now();
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            std::lock_guard lock(m_mutex);
            for (ssize_t i = 0; i < n; ++i)
                m_arrivals.push_back(now);
        }
    }

    int m_fd;
    std::atomic<bool> m_quit {false};
    std::mutex m_mutex;
    std::vector<Clock::time_point> m_arrivals;
    std::thread m_thread;
};

// The far end sending at the 115200-baud rate: 115 bytes every 10 ms.
class Streamer
{
public:
    explicit Streamer(PtyPair &pty)
        : m_pty(pty)
        , m_thread([this] { loop(); })
    { }
    ~Streamer()
    {
        m_quit = true;
        m_thread.join();
    }
    qsizetype written() const { return m_written; }

private:
    void loop()
    {
        quint32 seed = 3;
        Clock::time_point next = Clock::now();
        while (!m_quit) {
            const QByteArray chunk = nextChunk(seed, 115);
            Bench::writeAll(m_pty.masterFd(), chunk.constData(), chunk.size());
            m_written += chunk.size();
            next += std::chrono::milliseconds(10);
            std::this_thread::sleep_until(next);
        }
    }

    PtyPair &m_pty;
    std::atomic<bool> m_quit {false};
    std::atomic<qsizetype> m_written {0};
    std::thread m_thread;
};

// Start and end of every tick of the send timer.
class TickClock : public QObject
{
public:
    explicit TickClock(QTimer *timer)
    {
        timer->installEventFilter(this);
        // Connected after the window's own handler, so it runs when the tick is done.
        connect(timer, &QTimer::timeout, this, [this] { ends.push_back(Clock::now()); });
    }
    std::vector<Clock::time_point> starts;
    std::vector<Clock::time_point> ends;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Timer)
            starts.push_back(Clock::now());
        return QObject::eventFilter(watched, event);
    }
};

struct Result
{
    double medianDev = 0;
    double worstDev = 0;
};

Result measure(const char *what, frmRun &run, Reader &reader, double worstGoal)
{
    TickClock ticks(run.findChild<QTimer *>("timerSend"));
    reader.clear();
    run.CmdSend(2)->click();
    if (run.CmdSend(2)->text() != UiTexts::StopSend) {
        std::printf("%s: continuous sending did not start\n", what);
        return {};
    }
    QElapsedTimer guard;
    guard.start();
    while (reader.count() < size_t(Ticks) && guard.elapsed() < Ticks * Interval * 3)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    run.CmdSend(2)->click();
    TerminalRig::settle(50);

    const std::vector<Clock::time_point> arrivals = reader.arrivals();
    const size_t n = std::min({arrivals.size(), ticks.starts.size(), ticks.ends.size()});
    std::vector<double> tickMs;
    std::vector<double> wireDev;
    std::vector<double> timerDev;
    for (size_t k = 0; k < n; ++k)
        tickMs.push_back(ms(ticks.ends[k] - ticks.starts[k]));
    for (size_t k = 0; k + 1 < n; ++k) {
        const double expected = Interval + tickMs[k];
        wireDev.push_back(std::fabs(ms(arrivals[k + 1] - arrivals[k]) - expected));
        timerDev.push_back(std::fabs(ms(ticks.starts[k + 1] - ticks.starts[k]) - expected));
    }
    const Result r {
        median(wireDev), wireDev.empty() ? 0 : *std::max_element(wireDev.begin(), wireDev.end())};
    const double worstTimer
        = timerDev.empty() ? 0 : *std::max_element(timerDev.begin(), timerDev.end());
    std::printf("\n%s: %zu sends, %zu periods\n", what, arrivals.size(), wireDev.size());
    std::printf("  tick time: median %.3f ms, worst %.3f ms\n", median(tickMs),
        tickMs.empty() ? 0 : *std::max_element(tickMs.begin(), tickMs.end()));
    std::printf("  send-to-send at the far end, deviation from interval + tick: median %.3f ms, "
                "worst %.3f ms\n",
        r.medianDev, r.worstDev);
    std::printf("  timer event to timer event, same deviation:                  median %.3f ms, "
                "worst %.3f ms\n",
        median(timerDev), worstTimer);
    std::printf("  goal median < 1 ms: %s; goal worst < %.0f ms: %s\n", met(r.medianDev < 1),
        worstGoal, met(r.worstDev < worstGoal));
    std::fflush(stdout);
    return r;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    DesignFonts::install();
    printMachineLoad("at start");
    PtyPair pty;
    if (pty.masterFd() < 0)
        return 1;
    TerminalRig rig(pty.slavePath(), QStringLiteral("1"), QString::number(Interval));
    frmRun &run = rig.run();
    if (Module1::PortIsOpen != Module1::VbTrue) {
        std::printf("the terminal did not open its port\n");
        return 1;
    }
    run.findChild<QComboBox *>(QStringLiteral("CobSend3"))->setEditText(QStringLiteral("01"));

    Reader reader(pty.masterFd());
    measure("receive side idle", run, reader, 5);
    {
        Streamer streamer(pty);
        TerminalRig::settle(500);
        measure("far end streaming at 11.5 KB/s", run, reader, 10);
        std::printf("  streamed %lld bytes, %lld in the receive log\n", qint64(streamer.written()),
            qint64(run.session().log().byteCount()));
    }
    printMachineLoad("at end");
    return 0;
}
