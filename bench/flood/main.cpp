// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// 100 MB of random bytes through a pty into the terminal, with a click of the hexadecimal send
// button ("01") every 2 to 6 MB. Before each click the writer waits until the terminal has taken
// in every byte written so far. Prints bytes, time, rate and peak memory; that nothing is lost
// on the way is the terminal test's to check.
// Run with QT_QPA_PLATFORM=offscreen.

#include "bench/common/benchsupport.h"
#include "tests/support/ptypair.h"

#include "ui/designfonts.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QtEndian>

#include <random>

using namespace Bench;

namespace {

constexpr qsizetype Total = 100 * MB;

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    DesignFonts::install();
    printMachineLoad("at start");
    PtyPair pty;
    if (pty.masterFd() < 0)
        return 1;
    TerminalRig rig(pty.slavePath());
    frmRun &run = rig.run();
    if (Module1::PortIsOpen != Module1::VbTrue) {
        std::printf("the terminal did not open its port\n");
        return 1;
    }
    run.findChild<QComboBox *>(QStringLiteral("CobSend3"))->setEditText(QStringLiteral("01"));

    std::mt19937 random(20261206);
    QByteArray written(Total, Qt::Uninitialized);
    for (qsizetype i = 0; i < Total; i += 4)
        qToUnaligned(quint32(random()), written.data() + i);
    // The sends, every 2 to 6 MB, each at a random byte, the last well before the end.
    std::vector<qsizetype> sends;
    std::uniform_int_distribution<qsizetype> gap(2 * MB, 6 * MB);
    for (qsizetype at = gap(random); at < Total - 2 * MB; at += gap(random))
        sends.push_back(at);

    const ReceiveLog &log = run.session().log();
    auto waitUntilTaken = [&](qsizetype count) {
        QElapsedTimer t;
        t.start();
        while (log.byteCount() < count && t.elapsed() < 30000)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        return log.byteCount() == count;
    };

    QElapsedTimer clock;
    clock.start();
    qsizetype sent = 0;
    QByteArray echoed;
    bool inStep = true;
    for (size_t s = 0; s <= sends.size() && inStep; ++s) {
        const qsizetype segmentEnd = s < sends.size() ? sends[s] : Total;
        while (sent < segmentEnd) {
            const qsizetype n = Bench::writeSome(pty.masterFd(), written.constData() + sent,
                std::min<qsizetype>(64 * KB, segmentEnd - sent));
            sent += n;
            QCoreApplication::processEvents(
                n == 0 ? QEventLoop::WaitForMoreEvents : QEventLoop::AllEvents);
        }
        inStep = waitUntilTaken(sent);
        if (s < sends.size() && inStep) {
            run.CmdSend(2)->click();
            echoed += Bench::drain(pty.masterFd());
        }
    }
    TerminalRig::settle(200);
    echoed += Bench::drain(pty.masterFd());
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    const double peak = peakResidentMB();
    std::printf("\nwritten %lld bytes with %zu sends in %.1f s (%.1f MB/s); received %lld bytes\n",
        qint64(sent), sends.size(), seconds, double(sent) / MB / seconds, qint64(log.byteCount()));
    std::printf(
        "peak memory (VmHWM) after the flood: %.0f MB (the written copy is %.0f MB of it)\n", peak,
        double(Total) / MB);
    std::printf("the far end got %lld bytes from %zu sends\n", qint64(echoed.size()), sends.size());
    std::fflush(stdout);

    printMachineLoad("at end");
    return inStep ? 0 : 1;
}
