// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The receive display's cost per second at everyday line rates: random bytes stream through a
// pty into the terminal window at 11.5 kB/s (115200 baud) and 92 kB/s (921600 baud) for 20 s each
// (--seconds N), then the port stays open with nothing arriving. For each it prints this
// process's CPU time as a per cent of one core (the device is a child process, so its writing
// does not count), how often the event loop woke (the main thread's voluntary sleeps), the frames
// each receive area painted per second, the longest wait from a byte's arrival at the port to
// the first frame of an area that shows it or a later byte, whether every area shows the last byte
// once the stream has ended. A second, shorter stream at each rate gives the longest event-loop
// stall (a 10 ms timer's lateness): that timer's own wake-ups would cost more than an idle
// terminal, so it stays out of the CPU figures. Run it offscreen (QT_QPA_PLATFORM=offscreen) and
// under Xvfb (xvfb-run -a).

#include "bench/common/benchsupport.h"
#include "tests/support/ptypair.h"

#include "terminal/receiveview.h"
#include "ui/designfonts.h"

#include <QApplication>
#include <QPaintEvent>
#include <QScrollBar>

#include <csignal>
#include <cstring>
#include <ctime>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <utility>

namespace {

using namespace Bench;

constexpr qint64 TickNs = 10'000'000;

qint64 monotonicNs()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// The device: paced writes every 10 ms from start (monotonic), in a program of its own (this one
// again, with --device): a forked copy would share this process's pages, and every page the
// terminal then wrote would cost it a copy-on-write fault that no real device causes.
pid_t startDevice(int masterFd, qsizetype bytesPerSecond, int seconds, qint64 start)
{
    std::string args[] {"receive_rate_bench", "--device", std::to_string(masterFd),
        std::to_string(bytesPerSecond), std::to_string(seconds), std::to_string(start)};
    char *argv[] {args[0].data(), args[1].data(), args[2].data(), args[3].data(), args[4].data(),
        args[5].data(), nullptr};
    pid_t pid = 0;
    return ::posix_spawn(&pid, "/proc/self/exe", nullptr, nullptr, argv, environ) == 0 ? pid : 0;
}

int runDevice(int masterFd, qsizetype bytesPerSecond, int seconds, qint64 start)
{
    quint32 seed = 7;
    const qsizetype perTick = bytesPerSecond / 100;
    std::vector<char> chunk(static_cast<size_t>(perTick));
    timespec next {time_t(start / 1'000'000'000), long(start % 1'000'000'000)};
    clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr);
    for (int tick = 0; tick < seconds * 100; ++tick) {
        fillChunk(chunk.data(), perTick, seed);
        for (qsizetype done = 0; done < perTick;) {
            const ssize_t n = ::write(masterFd, chunk.data() + done, size_t(perTick - done));
            if (n > 0) {
                done += n;
            } else {
                pollfd p {masterFd, POLLOUT, 0};
                ::poll(&p, 1, 10);
            }
        }
        next.tv_nsec += TickNs;
        if (next.tv_nsec >= 1'000'000'000) {
            next.tv_nsec -= 1'000'000'000;
            ++next.tv_sec;
        }
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr);
    }
    return 0;
}

// When each byte reached the port: the device writes its bytes for each 10 ms tick at the tick's
// start (or later, when the port is full), so the delay from there counts every wait inside the
// program, the adapter's reading included.
class Arrivals
{
public:
    Arrivals(qint64 start, qsizetype bytesPerSecond)
        : m_start(start)
        , m_perTick(std::max<qsizetype>(1, bytesPerSecond / 100))
    { }
    qint64 arrivalOf(qsizetype byte) const { return m_start + qint64(byte / m_perTick) * TickNs; }

private:
    qint64 m_start;
    qsizetype m_perTick;
};

// One area's frames, and how long bytes wait for them: a frame that draws the last item wholly in
// view shows every byte before it too, so the oldest byte no earlier frame showed has waited since
// its arrival.
class ScreenDelay : public QObject
{
public:
    ScreenDelay(ReceiveView *view, const ReceiveLog &log, const Arrivals &arrivals)
        : m_view(view)
        , m_log(log)
        , m_arrivals(arrivals)
    {
        view->viewport()->installEventFilter(this);
    }
    int frames = 0;
    double longestMs = 0;
    qsizetype shown = 0; // bytes before this one were on screen

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        ++frames;
        const QRect viewport = m_view->viewport()->rect();
        const auto notBelow = [&](qsizetype byte) {
            const QRect r = m_view->itemRect(byte).toAlignedRect();
            return !r.isEmpty() && r.bottom() <= viewport.bottom();
        };
        // The last item not below the view, if it is in view and drawn by this frame.
        qsizetype low = shown;
        qsizetype high = m_log.byteCount();
        if (low == high || !notBelow(low))
            return false;
        while (high - low > 1) {
            const qsizetype mid = (low + high) / 2;
            (notBelow(mid) ? low : high) = mid;
        }
        const QRect last = m_view->itemRect(low).toAlignedRect();
        if (!viewport.contains(last)
            || !static_cast<QPaintEvent *>(event)->region().intersects(last))
            return false;
        longestMs = std::max(longestMs, double(monotonicNs() - m_arrivals.arrivalOf(shown)) / 1e6);
        shown = low + 1;
        return false;
    }

private:
    ReceiveView *m_view;
    const ReceiveLog &m_log;
    const Arrivals &m_arrivals;
};

class EventCounter : public QObject
{
public:
    EventCounter(QObject *watched, QEvent::Type type)
        : m_type(type)
    {
        watched->installEventFilter(this);
    }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == m_type)
            ++count;
        return false;
    }

private:
    QEvent::Type m_type;
};

const char *kindName(ReceiveFormatter::Kind kind)
{
    switch (kind) {
    case ReceiveFormatter::Kind::Character:
        return "character";
    case ReceiveFormatter::Kind::Decimal:
        return "decimal";
    case ReceiveFormatter::Kind::Hexadecimal:
        break;
    }
    return "hexadecimal";
}

// How often the main thread went to sleep and was woken: the event loop's wake-ups.
long loopWakeUps()
{
    rusage usage {};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_nvcsw;
}

struct Result
{
    double cpuPercent = 0;
    double longestDelayMs = 0;
};

enum class Meter { Cost, Stalls };

Result measure(const char *what, qsizetype bytesPerSecond, int seconds, Meter meter = Meter::Cost)
{
    PtyPair pty;
    TerminalRig rig(pty.slavePath());
    const ReceiveLog &log = rig.run().session().log();
    const auto views = rig.run().findChildren<ReceiveView *>();
    const qint64 start = monotonicNs() + 20'000'000;
    Arrivals arrivals(start, bytesPerSecond);
    std::vector<std::unique_ptr<ScreenDelay>> areas;
    for (ReceiveView *view : views)
        areas.push_back(std::make_unique<ScreenDelay>(view, log, arrivals));
    // Frames of the areas that fall due together reach the screen in one update of the window.
    QWidget *window = rig.run().window();
    static bool sizesShown = false;
    if (!std::exchange(sizesShown, true)) {
        QString sizes;
        for (ReceiveView *view : views)
            sizes += QStringLiteral(" %1 %2x%3%4")
                         .arg(kindName(view->kind()))
                         .arg(view->viewport()->width())
                         .arg(view->viewport()->height())
                         .arg(view->isVisible() ? QString() : QStringLiteral(" (hidden)"));
        std::printf("window %dx%d, areas' viewports:%s\n", window->width(), window->height(),
            qPrintable(sizes));
    }
    EventCounter windowUpdates(window, QEvent::UpdateRequest);
    StallMeter stall(10);
    const pid_t device
        = bytesPerSecond > 0 ? startDevice(pty.masterFd(), bytesPerSecond, seconds, start) : 0;
    const double cpuBefore = cpuSeconds();
    const long wakeUpsBefore = loopWakeUps();
    QElapsedTimer clock;
    clock.start();
    if (meter == Meter::Stalls)
        stall.start();
    TerminalRig::settle(seconds * 1000);
    stall.stop();
    const double wall = double(clock.nsecsElapsed()) / 1e9;
    const double cpu = cpuSeconds() - cpuBefore;
    const long wakeUps = loopWakeUps() - wakeUpsBefore;
    const int updates = windowUpdates.count;
    const std::vector<int> frames = [&areas] {
        std::vector<int> f;
        for (const auto &area : areas)
            f.push_back(area->frames);
        return f;
    }();
    // The stream's tail, for the delay of its last bytes only.
    if (device > 0)
        waitpid(device, nullptr, 0);
    if (meter == Meter::Stalls) {
        std::printf("%-12s longest stall %5.1f ms\n", what, stall.longestMs());
        std::fflush(stdout);
        return {};
    }
    TerminalRig::settle(500);
    bool following = true;
    bool lastShown = true;
    Result result {100.0 * cpu / wall, 0};
    QString perArea;
    for (qsizetype i = 0; i < views.size(); ++i) {
        const QScrollBar *bar = views[i]->verticalScrollBar();
        following = following && bar->value() == bar->maximum();
        lastShown = lastShown && areas[size_t(i)]->shown == log.byteCount();
        result.longestDelayMs = std::max(result.longestDelayMs, areas[size_t(i)]->longestMs);
        perArea += QStringLiteral(" %1 %2 (%3 ms)")
                       .arg(kindName(views[i]->kind()))
                       .arg(double(frames[size_t(i)]) / wall, 0, 'f', 1)
                       .arg(areas[size_t(i)]->longestMs, 0, 'f', 0);
    }
    std::printf("%-12s CPU %5.2f %% of a core, %.0f loop wake-ups/s, %.0f kB received\n", what,
        result.cpuPercent, double(wakeUps) / wall, double(log.byteCount()) / 1000.0);
    std::printf("%-12s frames/s (longest delay to screen) per area:%s; window updates/s %.1f\n", "",
        qPrintable(perArea), double(updates) / wall);
    if (bytesPerSecond > 0)
        std::printf("%-12s longest delay to screen %5.0f ms, last byte on screen in every area: "
                    "%s, areas following the end: %s\n",
            "", result.longestDelayMs, lastShown ? "yes" : "NO", following ? "yes" : "NO");
    std::fflush(stdout);
    return result;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 6 && std::strcmp(argv[1], "--device") == 0)
        return runDevice(
            std::atoi(argv[2]), std::atoll(argv[3]), std::atoi(argv[4]), std::atoll(argv[5]));
    QApplication app(argc, argv);
    DesignFonts::install();
    int seconds = 20;
    const QStringList args = app.arguments();
    if (const qsizetype i = args.indexOf(QStringLiteral("--seconds")); i > 0 && i + 1 < args.size())
        seconds = std::max(1, args[i + 1].toInt());
    std::printf("receive display cost, platform %s, %d s per rate\n",
        qPrintable(QGuiApplication::platformName()), seconds);
    printMachineLoad("before");
    const Result slow = measure("11.5 kB/s", 11520, seconds);
    const Result fast = measure("92 kB/s", 92160, seconds);
    const Result idle = measure("idle, open", 0, std::min(seconds, 10));
    measure("11.5 kB/s", 11520, std::min(seconds, 5), Meter::Stalls);
    measure("92 kB/s", 92160, std::min(seconds, 5), Meter::Stalls);
    printMachineLoad("after");
    std::printf("goal CPU at 11.5 kB/s <= 0.8 %%: %.2f %%, %s\n", slow.cpuPercent,
        met(slow.cpuPercent <= 0.8));
    std::printf(
        "goal CPU at 92 kB/s <= 1 %%: %.2f %%, %s\n", fast.cpuPercent, met(fast.cpuPercent <= 1.0));
    std::printf("goal CPU idle, open <= 0.3 %%: %.2f %%, %s\n", idle.cpuPercent,
        met(idle.cpuPercent <= 0.3));
    const double delay = std::max(slow.longestDelayMs, fast.longestDelayMs);
    std::printf("goal delay to screen <= 200 ms: %.0f ms, %s\n", delay, met(delay <= 200));
    return 0;
}
