// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Pastes of 64 KB, 1, 10 and 100 MB of text (other sizes in KB as arguments) into the terminal's
// ASCII send line with Ctrl+V, each followed by a send of whatever the line then holds: for each,
// the longest event-loop stall (the lateness of a 1 ms timer), the peak resident memory added, the
// characters the line took and the box it showed. Run with QT_QPA_PLATFORM=offscreen.

#include "bench/common/benchsupport.h"

#include "tests/support/messageboxrecorder.h"
#include "tests/support/ptypair.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSocketNotifier>

#include <cstdio>

using namespace Bench;

namespace {

// The stall and the memory of one step, the step's own event handling included.
template<class Step> void measure(const char *what, qsizetype kilobytes, Step step)
{
    TerminalRig::settle(200);
    resetPeak();
    const double before = residentMB();
    StallMeter meter;
    meter.start();
    step();
    TerminalRig::settle(100);
    meter.stop();
    std::printf("%-6s %6lld KB %12.1f ms %12.0f MB\n", what, qlonglong(kilobytes),
        meter.longestMs(), peakResidentMB() - before);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::vector<qsizetype> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes = {64, 1024, 10 * 1024, 100 * 1024};

    MessageBoxRecorder boxes; // a refused paste or send is answered, and said below
    PtyPair pty;
    TerminalRig rig(pty.slavePath());
    auto *line = rig.run().findChild<QComboBox *>(QStringLiteral("CobSend1"));
    // Keeps the queue from filling, so each send is measured alone.
    QSocketNotifier drainer(pty.masterFd(), QSocketNotifier::Read);
    QObject::connect(&drainer, &QSocketNotifier::activated, [&] { drain(pty.masterFd()); });

    printMachineLoad("start");
    std::printf(
        "%-6s %9s %15s %15s %12s\n", "", "text", "longest stall", "peak extra", "line holds");
    for (const qsizetype kilobytes : sizes) {
        line->setEditText({});
        QApplication::clipboard()->setText(QString(kilobytes * KB, u'A'));
        measure("paste", kilobytes, [&] {
            line->lineEdit()->setFocus();
            QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
            QApplication::sendEvent(line->lineEdit(), &paste);
        });
        std::printf("%-6s %9s %15s %15s %12lld %s\n", "", "", "", "",
            qlonglong(line->currentText().size()),
            boxes.texts().isEmpty() ? "" : qPrintable(boxes.texts().constLast()));
        boxes.clear();
        QApplication::clipboard()->clear();
        measure("send", kilobytes, [&] { rig.run().CmdSend(0)->click(); });
    }
    return 0;
}
