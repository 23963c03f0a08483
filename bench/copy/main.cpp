// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// "全選" then "複製" in the hexadecimal receive area after 200 MB received (a line break every
// megabyte): the longest event-loop stall (the lateness of a 1 ms timer), the peak resident memory
// added while copying, the time, and the size of the text put on the clipboard. Then the same
// selection copied the simple way (the whole text as one QString, handed to the clipboard), for
// comparison; --view-only leaves that out. The same again for "複製為16進制字串" with nothing
// selected, that is of the whole area. Give another size in MB as the first argument. Run with
// QT_QPA_PLATFORM=offscreen.

#include "bench/common/benchsupport.h"

#include "core/receivelog.h"
#include "terminal/receiveview.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include <cstdio>

using namespace Bench;

namespace {

template<class Copy> void measure(const char *what, Copy copy)
{
    QApplication::clipboard()->clear();
    TerminalRig::settle(300);
    resetPeak();
    const double before = residentMB();
    StallMeter meter;
    meter.start();
    QElapsedTimer timer;
    timer.start();
    copy();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    TerminalRig::settle(50); // the stall that ends with the copy counts too
    meter.stop();
    const QMimeData *mime = QApplication::clipboard()->mimeData();
    const double copiedMB = mime ? double(mime->data(QStringLiteral("text/plain")).size()) / MB : 0;
    std::printf("%-34s %10.1f ms %12.0f MB %10.2f s %12.1f MB\n", what, meter.longestMs(),
        peakResidentMB() - before, seconds, copiedMB);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const qsizetype megabytes = argc > 1 && argv[1][0] != '-' ? std::atoi(argv[1]) : 200;
    const bool viewOnly = app.arguments().contains(QStringLiteral("--view-only"));

    FilledHexArea area(megabytes);
    ReceiveLog &log = area.log;
    ReceiveView &view = area.view;
    view.selectAll();

    std::printf("copy of the whole hexadecimal area, %lld MB received\n", qlonglong(megabytes));
    std::printf(
        "%-34s %13s %15s %12s %15s\n", "", "longest stall", "peak extra", "time", "clipboard text");
    measure("ReceiveView::copy (in steps)", [&] { view.copy(); });
    if (!viewOnly) {
        measure("whole QString at once",
            [&] { QApplication::clipboard()->setText(view.selectedText()); });
    }
    view.clearSelection();
    measure("ReceiveView::copyByteList (steps)", [&] { view.copyByteList(); });
    if (!viewOnly) {
        measure("byte list as one QString", [&] {
            QApplication::clipboard()->setText(
                ReceiveFormatter::byteList(log.bytes(), log.lineBreaks()));
        });
    }
    return 0;
}
