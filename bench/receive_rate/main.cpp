// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The receive display's cost per second at everyday line rates: random bytes stream through a
// pty into the terminal window at 11.5 kB/s (115200 baud) and 92 kB/s (921600 baud) for 20 s each
// (--seconds N), then the port stays open with nothing arriving. For each it prints this
// process's CPU time as a per cent of one core (the device is a child process, so its writing
// does not count), the frames each receive area painted per second and the longest event-loop
// stall (a 10 ms timer's lateness). Run it offscreen (QT_QPA_PLATFORM=offscreen) and under Xvfb
// (xvfb-run -a).

#include "bench/common/benchsupport.h"
#include "tests/support/ptypair.h"

#include "terminal/receiveview.h"
#include "ui/designfonts.h"

#include <QApplication>
#include <QScrollBar>

#include <csignal>
#include <ctime>
#include <sys/wait.h>

namespace {

using namespace Bench;

// The device: paced writes every 10 ms, in a child process that touches nothing of Qt.
pid_t startDevice(int masterFd, qsizetype bytesPerSecond, int seconds)
{
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    quint32 seed = 7;
    const qsizetype perTick = bytesPerSecond / 100;
    std::vector<char> chunk(static_cast<size_t>(perTick));
    timespec next {};
    clock_gettime(CLOCK_MONOTONIC, &next);
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
        next.tv_nsec += 10'000'000;
        if (next.tv_nsec >= 1'000'000'000) {
            next.tv_nsec -= 1'000'000'000;
            ++next.tv_sec;
        }
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr);
    }
    _exit(0);
}

void measure(const char *what, qsizetype bytesPerSecond, int seconds)
{
    PtyPair pty;
    TerminalRig rig(pty.slavePath());
    PaintCounter paints;
    const auto views = rig.run().findChildren<ReceiveView *>();
    for (ReceiveView *view : views)
        view->viewport()->installEventFilter(&paints);
    StallMeter stall(10);
    const pid_t device
        = bytesPerSecond > 0 ? startDevice(pty.masterFd(), bytesPerSecond, seconds) : 0;
    const double cpuBefore = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    stall.start();
    TerminalRig::settle(seconds * 1000);
    stall.stop();
    const double wall = double(clock.nsecsElapsed()) / 1e9;
    const double cpu = cpuSeconds() - cpuBefore;
    if (device > 0)
        waitpid(device, nullptr, 0);
    bool following = true;
    for (ReceiveView *view : views)
        following = following && view->isFollowingEnd();
    std::printf("%-12s CPU %5.1f %% of a core, %5.1f frames/s per area, longest stall %5.1f ms, "
                "%.0f kB received, areas following the end: %s\n",
        what, 100.0 * cpu / wall, double(paints.count) / double(views.size()) / wall,
        stall.longestMs(), double(rig.run().receiveLog().byteCount()) / 1000.0,
        following ? "yes" : "NO");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    DesignFonts::install();
    int seconds = 20;
    const QStringList args = app.arguments();
    if (const qsizetype i = args.indexOf(QStringLiteral("--seconds")); i > 0 && i + 1 < args.size())
        seconds = std::max(1, args[i + 1].toInt());
    std::printf("receive display cost, platform %s, %d s per rate\n",
        qPrintable(QGuiApplication::platformName()), seconds);
    printMachineLoad("before");
    measure("11.5 kB/s", 11520, seconds);
    measure("92 kB/s", 92160, seconds);
    measure("idle, open", 0, std::min(seconds, 10));
    printMachineLoad("after");
    return 0;
}
