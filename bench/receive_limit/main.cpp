// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Bytes through a pty into the terminal at full speed until it stops taking them, to see how
// large a capture an address-space limit allows. Run as
//   prlimit --as=1610612736 receive_limit_bench
// with QT_QPA_PLATFORM=offscreen. Prints the bytes received and the address space (VmSize) every
// 64 MB, so a run that dies still shows how far it came, then the box and the cost per byte.

#include "bench/common/benchsupport.h"
#include "tests/support/messageboxrecorder.h"
#include "tests/support/ptypair.h"

#include "ui/designfonts.h"

#include <QApplication>

using namespace Bench;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    DesignFonts::install();
    MessageBoxRecorder boxes;
    PtyPair pty;
    if (pty.masterFd() < 0)
        return 1;
    TerminalRig rig(pty.slavePath());
    const ReceiveLog &log = rig.run().session().log();
    const double before = addressSpaceMB();
    // Every byte value, so each area wraps items of every width.
    QByteArray chunk(64 * KB, Qt::Uninitialized);
    for (qsizetype i = 0; i < chunk.size(); ++i)
        chunk[i] = char(i * 7 + i / 256);
    qsizetype nextReport = 0;
    while (boxes.boxes().isEmpty() && rig.run().session().isOpen()) {
        const qsizetype n = writeSome(pty.masterFd(), chunk.constData(), chunk.size());
        QCoreApplication::processEvents(
            n == 0 ? QEventLoop::WaitForMoreEvents : QEventLoop::AllEvents);
        if (log.byteCount() >= nextReport) {
            std::printf("received %lld bytes, address space %.0f MB\n", qint64(log.byteCount()),
                addressSpaceMB());
            std::fflush(stdout);
            nextReport += 64 * MB;
        }
    }
    const double after = addressSpaceMB();
    std::printf("\nkept %lld bytes (%.0f MB); box: %s / %s\n", qint64(log.byteCount()),
        double(log.byteCount()) / MB,
        qPrintable(boxes.boxes().isEmpty() ? QString() : boxes.boxes().first().text),
        qPrintable(boxes.boxes().isEmpty() ? QString() : boxes.boxes().first().detail));
    std::printf("address space %.0f MB before, %.0f MB after: %.2f bytes per byte received; "
                "peak resident %.0f MB\n",
        before, after, (after - before) * MB / double(std::max<qsizetype>(1, log.byteCount())),
        peakResidentMB());
    return boxes.boxes().isEmpty() ? 1 : 0;
}
