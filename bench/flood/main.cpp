// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// 100 MB of random bytes through a pty into the terminal, with a click of the hexadecimal send
// button ("01") every 2 to 6 MB. Before each click the writer waits until the terminal has taken
// in every byte written so far, so the line break belongs exactly there. Afterwards each area's
// text, from the receive log and from the view itself, is decoded item by item back into bytes
// and breaks and compared with what was written: nothing lost, nothing reordered, breaks exactly
// at the sends. Prints bytes, time, peak memory and PASS or FAIL per area.
// Run with QT_QPA_PLATFORM=offscreen.

#include "bench/common/benchsupport.h"
#include "tests/support/ptypair.h"

#include "core/receiveformatter.h"
#include "terminal/receiveview.h"
#include "ui/designfonts.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QtEndian>

#include <random>

using namespace Bench;

namespace {

constexpr qsizetype Total = 100 * MB;

quint64 packed(QStringView item)
{
    quint64 key = quint64(item.size());
    for (QChar c : item)
        key = (key << 16) | c.unicode();
    return key;
}

// Reads an area text back item by item and break by break and compares it with what was written;
// returns an empty string when they agree, otherwise where and how they first differ.
QString verify(ReceiveFormatter::Kind kind, const QString &text, const QByteArray &written,
    const std::vector<qsizetype> &breaks)
{
    std::array<quint64, 256> keyOf {};
    for (int b = 0; b < 256; ++b)
        keyOf[size_t(b)] = packed(ReceiveFormatter::item(kind, uchar(b)));
    const QChar *p = text.constData();
    const QChar *end = p + text.size();
    qsizetype bytes = 0;
    size_t nextBreak = 0;
    while (p < end) {
        if (*p == u'\r') {
            if (p + 1 >= end || p[1] != u'\n')
                return QStringLiteral("a CR without LF after byte %1").arg(bytes);
            if (nextBreak >= breaks.size() || breaks[nextBreak] != bytes) {
                return QStringLiteral("a line break after byte %1, expected %2")
                    .arg(bytes)
                    .arg(nextBreak < breaks.size() ? QString::number(breaks[nextBreak])
                                                   : QStringLiteral("none"));
            }
            ++nextBreak;
            p += 2;
            continue;
        }
        const QChar *blank = p;
        while (blank < end && *blank != u' ')
            ++blank;
        // The blank itself can be an item's text only in the character area, where byte 32 is
        // shown as itself: "  ".
        if (blank == p && blank + 1 < end && blank[1] == u' ')
            ++blank;
        if (blank >= end)
            return QStringLiteral("an item without its blank after byte %1").arg(bytes);
        if (nextBreak < breaks.size() && breaks[nextBreak] == bytes)
            return QStringLiteral("the line break expected before byte %1 is missing").arg(bytes);
        if (bytes >= written.size())
            return QStringLiteral("more bytes than written (%1)").arg(written.size());
        // Compared as items, not bytes: the character area shows every byte above 127 as one
        // and the same dot, so it cannot be read back into bytes.
        const uchar expected = uchar(written[bytes]);
        if (packed(QStringView(p, blank)) != keyOf[expected]) {
            return QStringLiteral("byte %1 shows \"%2\", written %3 (\"%4\")")
                .arg(bytes)
                .arg(QStringView(p, blank).toString())
                .arg(expected)
                .arg(ReceiveFormatter::item(kind, expected));
        }
        ++bytes;
        p = blank + 1;
    }
    if (bytes != written.size())
        return QStringLiteral("%1 bytes, written %2").arg(bytes).arg(written.size());
    if (nextBreak != breaks.size())
        return QStringLiteral("%1 line breaks, expected %2").arg(nextBreak).arg(breaks.size());
    return {};
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    DesignFonts::install();
    printMachineLoad("at start");
    PtyPair pty;
    if (!pty.isValid())
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

    const ReceiveLog &log = run.receiveLog();
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
    std::printf("peak memory (VmHWM) after the flood: %.0f MB (the written copy kept for the "
                "comparison is %.0f MB of it)\n",
        peak, double(Total) / MB);
    std::printf("the far end got %lld bytes from the sends, all 01: %s\n", qint64(echoed.size()),
        echoed == QByteArray(qsizetype(sends.size()), '\x01') ? "yes" : "NO");
    std::fflush(stdout);

    const std::array<std::pair<ReceiveFormatter::Kind, const char *>, 3> kinds {{
        {ReceiveFormatter::Kind::Character, "ASCII"},
        {ReceiveFormatter::Kind::Decimal, "decimal"},
        {ReceiveFormatter::Kind::Hexadecimal, "hexadecimal"},
    }};
    bool allPassed = inStep;
    for (const auto &[kind, name] : kinds) {
        ReceiveView *view = nullptr;
        for (ReceiveView *v : run.findChildren<ReceiveView *>()) {
            if (v->kind() == kind)
                view = v;
        }
        QString logProblem = verify(kind, log.text(kind), written, sends);
        QString viewProblem
            = view ? verify(kind, view->text(), written, sends) : QStringLiteral("no view");
        const bool passed = logProblem.isEmpty() && viewProblem.isEmpty();
        allPassed = allPassed && passed;
        std::printf("%-12s area: %s", name, passed ? "PASS" : "FAIL");
        if (!logProblem.isEmpty())
            std::printf("; log text: %s", qPrintable(logProblem));
        if (!viewProblem.isEmpty())
            std::printf("; view text: %s", qPrintable(viewProblem));
        std::printf("\n");
        std::fflush(stdout);
    }
    std::printf("peak memory (VmHWM) after the comparison: %.0f MB; total time %.1f s\n",
        peakResidentMB(), double(clock.nsecsElapsed()) / 1e9);
    printMachineLoad("at end");
    return allPassed ? 0 : 1;
}
