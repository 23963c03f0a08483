// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// While the far end floods the terminal and continuous sending runs, the far end closes. Printed:
// how long the lost-connection box took, the CPU time the process used over the second after the
// loss (idle is under 5 % of one core) and the boxes shown by then. What the window says and does
// on a loss is the terminal test's to check.
// Run with QT_QPA_PLATFORM=offscreen.

#include "bench/common/benchsupport.h"
#include "tests/support/ptypair.h"

#include "tests/support/messageboxrecorder.h"
#include "ui/designfonts.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>

#include <ctime>

using namespace Bench;

namespace {

double preciseCpuSeconds()
{
    timespec t {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

void runUnplug()
{
    std::printf("\nunplug during a flood, continuous sending running\n");
    MessageBoxRecorder boxes;
    PtyPair pty;
    TerminalRig rig(pty.slavePath(), QStringLiteral("1"), QStringLiteral("100"));
    frmRun &run = rig.run();
    run.findChild<QComboBox *>(QStringLiteral("CobSend3"))->setEditText(QStringLiteral("01"));
    run.CmdSend(2)->click();

    quint32 seed = 5;
    const QByteArray chunk = nextChunk(seed, 64 * KB);
    qsizetype sent = 0;
    while (sent < 20 * MB) {
        const qsizetype n = Bench::writeSome(pty.masterFd(), chunk.constData(), chunk.size());
        sent += n;
        Bench::drain(pty.masterFd());
        QCoreApplication::processEvents(
            n == 0 ? QEventLoop::WaitForMoreEvents : QEventLoop::AllEvents);
    }
    const qsizetype before = run.session().log().byteCount();
    pty.closeMaster();
    QElapsedTimer sinceLoss;
    sinceLoss.start();
    while (boxes.boxes().isEmpty() && sinceLoss.elapsed() < 5000)
        TerminalRig::settle(1);
    const double boxMs = double(sinceLoss.nsecsElapsed()) / 1e6;
    std::printf("  %lld bytes written, %lld received when the far end closed; box after %.1f ms\n",
        qint64(sent), qint64(before), boxMs);

    const double cpu0 = cpuSeconds();
    const double precise0 = preciseCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    TerminalRig::settle(1000);
    const double wallS = double(wall.nsecsElapsed()) / 1e9;
    const double cpuShare = (cpuSeconds() - cpu0) / wallS * 100;
    const double preciseShare = (preciseCpuSeconds() - precise0) / wallS * 100;
    std::printf("  CPU over the second after the loss: %.1f %% of one core (/proc/self/stat), "
                "%.2f %% (process CPU clock)\n",
        cpuShare, preciseShare);
    TerminalRig::settle(1000);

    std::printf("  message boxes shown: %lld\n", qint64(boxes.boxes().size()));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    DesignFonts::install();
    printMachineLoad("at start");
    runUnplug();
    printMachineLoad("at end");
    return 0;
}
