// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// A screen reader's "read all" of the hexadecimal receive area after 100 MB received (a line break
// every megabyte): the accessible text of the whole area asked for as AT-SPI's GetText(0, -1)
// reaches the interface (to the character count) and as -1 itself. For each: the time the call
// holds the event loop, the peak resident memory it adds, and the characters it returns, beside
// the area's character count. Give another size in MB as the first argument. Run with
// QT_QPA_PLATFORM=offscreen.

#include "bench/common/benchsupport.h"

#include "terminal/receiveview.h"
#include "terminal/receiveviewaccessible.h"

#include <QAccessible>
#include <QApplication>

#include <cstdio>

using namespace Bench;

namespace {

void measure(const char *what, QAccessibleTextInterface *text, int end)
{
    TerminalRig::settle(300);
    resetPeak();
    const double before = residentMB();
    QElapsedTimer timer;
    timer.start();
    const qsizetype returned = text->text(0, end).size();
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    std::printf("%-30s %12.1f ms %12.0f MB %16lld\n", what, ms, peakResidentMB() - before,
        qlonglong(returned));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const qsizetype megabytes = argc > 1 ? std::atoi(argv[1]) : 100;

    ReceiveViewAccessible::installFactory();
    FilledHexArea area(megabytes);
    ReceiveView &view = area.view;
    QAccessibleTextInterface *text = QAccessible::queryAccessibleInterface(&view)->textInterface();
    const int count = text->characterCount();

    std::printf("accessible text of the whole hexadecimal area, %lld MB received, %d characters\n",
        qlonglong(megabytes), count);
    std::printf("%-30s %15s %15s %16s\n", "", "time", "peak extra", "characters");
    measure("text(0, characterCount())", text, count);
    measure("text(0, -1)", text, -1);
    return 0;
}
