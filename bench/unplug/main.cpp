// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Two runs over ptys. Unplug: while the far end floods the terminal and continuous sending runs,
// the far end closes; printed are the message boxes shown, the closed state, the CPU time the
// process used over the second after the loss (idle is under 5 % of one core) and that no second
// box follows. Held port: a child process (this program with --hold) opens COM1 and keeps it;
// the terminal's load must then say the port is held.
// Run with QT_QPA_PLATFORM=offscreen.

#include "bench/common/benchsupport.h"
#include "core/programfolders.h"
#include "tests/support/ptypair.h"

#include "serial/qserialportadapter.h"
#include "tests/support/messageboxrecorder.h"
#include "ui/designfonts.h"
#include "ui/uitexts.h"

#include <QApplication>
#include <QComboBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QToolButton>

#include <ctime>

using namespace Bench;

namespace {

double preciseCpuSeconds()
{
    timespec t {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

bool check(const char *what, bool ok)
{
    std::printf("  %-58s %s\n", what, ok ? "PASS" : "FAIL");
    return ok;
}

QString portCaption(frmRun &run)
{
    return run.findChild<QToolButton *>(QStringLiteral("cmdPort"))->text();
}

bool runUnplug()
{
    std::printf("\nunplug during a flood, continuous sending running\n");
    MessageBoxRecorder boxes;
    PtyPair pty;
    TerminalRig rig(pty.slavePath(), QStringLiteral("1"), QStringLiteral("100"));
    frmRun &run = rig.run();
    run.findChild<QComboBox *>(QStringLiteral("CobSend3"))->setEditText(QStringLiteral("01"));
    run.CmdSend(2)->click();
    bool ok = check("continuous sending runs before the loss",
        run.CmdSend(2)->text() == UiTexts::StopSend && Module1::PortIsOpen == Module1::VbTrue);

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
    const qsizetype before = run.receiveLog().byteCount();
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

    ok &= check("exactly one message box", boxes.boxes().size() == 1);
    if (!boxes.boxes().isEmpty()) {
        const MessageBox::Request &box = boxes.boxes().first();
        ok &= check("its text is the lost-connection message", box.text == UiTexts::PortLost);
        ok &= check("titled \"錯誤\" with the exclamation icon",
            box.title == UiTexts::ErrorTitle && box.icon == QMessageBox::Warning);
    }
    ok &= check("PortIsOpen is 0", Module1::PortIsOpen == Module1::VbFalse);
    ok &= check("the port itself is closed", !run.Comm1().portOpen());
    ok &= check("cmdPort reads \"開啟通訊埠\"", portCaption(run) == UiTexts::OpenPort);
    ok &= check(
        "CmdSend(2) no longer reads \"停止傳送\"", run.CmdSend(2)->text() != UiTexts::StopSend);
    ok &= check("the send timer is stopped", !run.sendTimer()->isActive());
    ok &= check("no busy loop: under 5 % of one core", cpuShare < 5 && preciseShare < 5);
    return ok;
}

bool runHeld(const QString &self)
{
    std::printf("\nport held by another process\n");
    MessageBoxRecorder boxes;
    PtyPair pty;
    TerminalRig rig(
        pty.slavePath(), QStringLiteral("0"), QStringLiteral("1000"), TerminalRig::LoadLater);
    QProcess holder;
    holder.start(self, {QStringLiteral("--hold"), rig.folder()});
    const bool held = holder.waitForReadyRead(10000) && holder.readAll().startsWith("held");
    bool ok = check("the child process holds COM1", held);
    rig.load();
    frmRun &run = rig.run();
    ok &= check("one message box", boxes.boxes().size() == 1);
    if (!boxes.boxes().isEmpty()) {
        std::printf("  box text: %s\n", qPrintable(boxes.boxes().first().text));
        ok &= check("it says the port is held", boxes.boxes().first().text == UiTexts::PortHeld);
    }
    ok &= check("PortIsOpen is 0", Module1::PortIsOpen == Module1::VbFalse);
    ok &= check("cmdPort reads \"開啟通訊埠\"", portCaption(run) == UiTexts::OpenPort);
    holder.closeWriteChannel();
    holder.waitForFinished(5000);
    // Released with the holder's exit: the button opens the port now.
    run.findChild<QToolButton *>(QStringLiteral("cmdPort"))->click();
    ok &= check("after the holder quits, cmdPort opens the port",
        Module1::PortIsOpen == Module1::VbTrue && boxes.boxes().size() == 1);
    return ok;
}

// The other process: opens COM1 of the given program folder and keeps it until stdin closes.
int hold(const QString &folder)
{
    ProgramFolders::setProgram(folder);
    QSerialPortAdapter port(ProgramFolders::ports());
    try {
        port.setCommPort(1);
        port.setPortOpen(true);
    } catch (const RunTimeError &e) {
        std::printf("failed %d\n", e.number);
        return 1;
    }
    std::printf("held\n");
    std::fflush(stdout);
    char c;
    while (::read(0, &c, 1) > 0) { }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--hold"))
        return hold(args[2]);
    DesignFonts::install();
    printMachineLoad("at start");
    const bool unplugged = runUnplug();
    const bool held = runHeld(app.applicationFilePath());
    std::printf(
        "\nunplug: %s; held port: %s\n", unplugged ? "PASS" : "FAIL", held ? "PASS" : "FAIL");
    printMachineLoad("at end");
    return unplugged && held ? 0 : 1;
}
