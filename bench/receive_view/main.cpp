// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Feeds one unbroken line of received bytes in 4 KB events into the three receive areas of a
// shown window and prints, at 1, 10 and 50 MB: the rate kept up with, the time of one 4 KB event
// with the repaint it causes, the longest event-loop stall and the resident memory added per
// received byte. Then the same for three QPlainTextEdits fed the usual way (insert at the end),
// in a child process of its own so the memory figures do not mix; it stops at 5 MB or 60 s
// (--views-only leaves it out).
// Run with QT_QPA_PLATFORM=offscreen.

#include "bench/common/benchsupport.h"

#include "core/receivelog.h"
#include "terminal/frameclock.h"
#include "terminal/receiveview.h"
#include "ui/designfonts.h"
#include "ui/twips.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScrollBar>
#include <QTextCursor>
#include <QThread>

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

namespace {

using Bench::MB;
using Bench::nextChunk;
using Bench::PaintCounter;
using Bench::residentMB;

struct Area
{
    QRect geometry;
    QColor color;
    ReceiveFormatter::Kind kind;
};

// The three receive areas at their design places (inside their frame) and colours.
const std::array<Area, 3> Areas {{
    {twips(5700, 480, 5310, 1755), QColor(192, 0, 0), ReceiveFormatter::Kind::Character},
    {twips(5700, 2580, 5310, 1635), QColor(0, 128, 0), ReceiveFormatter::Kind::Decimal},
    {twips(180, 480, 5385, 3735), QColor(0, 0, 192), ReceiveFormatter::Kind::Hexadecimal},
}};

struct Figures
{
    double elapsedS = 0;
    double maxStallMs = 0;
};

void printHeader(const char *what)
{
    std::printf("\n%s\n", what);
    std::printf("%8s %12s %12s %14s %14s %12s %12s\n", "MB", "rate MB/s", "last MB/s",
        "4 KB event ms", "longest stall", "RSS MB", "B/byte");
}

void printRow(double mb, double rate, double lastRate, double eventMs, double stallMs, double rss,
    double perByte)
{
    std::printf("%8.1f %12.2f %12.2f %14.3f %11.1f ms %12.1f %12.2f\n", mb, rate, lastRate, eventMs,
        stallMs, rss, perByte);
    std::fflush(stdout);
}

// Time of one 4 KB event from arrival until all three areas have repainted, the view's repaint
// throttle having expired: the median of a few samples.
template<typename Append>
double eventTime(Append append, PaintCounter &painted, int widgets, quint32 &seed)
{
    std::vector<double> samples;
    for (int i = 0; i < 15; ++i) {
        QThread::msleep(250); // longer than the longest wait between refreshes
        QApplication::processEvents();
        const QByteArray chunk = nextChunk(seed);
        painted.count = 0;
        QElapsedTimer timer;
        timer.start();
        append(chunk);
        while (painted.count < widgets && timer.elapsed() < 2000)
            QApplication::processEvents();
        samples.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

int runViews()
{
    QWidget window;
    window.resize(twipsSize(11430, 4500));
    ReceiveLog log;
    std::array<ReceiveView *, 3> views {};
    PaintCounter painted;
    FrameClock frames;
    for (int i = 0; i < 3; ++i) {
        views[i] = new ReceiveView(&log, Areas[i].kind, &frames, &window);
        views[i]->setGeometry(Areas[i].geometry);
        views[i]->setFont(DesignFonts::font(DesignFonts::Arial, 9.75));
        QPalette pal = views[i]->palette();
        pal.setColor(QPalette::Text, Areas[i].color);
        views[i]->setPalette(pal);
        views[i]->viewport()->installEventFilter(&painted);
    }
    window.show();
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    const double baseline = residentMB();

    printHeader("ReceiveView x3 (one ReceiveLog), one unbroken line, 4 KB events");
    quint32 seed = 1;
    const auto append = [&log](const QByteArray &chunk) { log.append(chunk); };
    QElapsedTimer total;
    total.start();
    double maxStall = 0;
    qint64 sampledNs = 0;
    qint64 lastNs = 0;
    qsizetype lastBytes = 0;
    for (qsizetype milestone : {1 * MB, 10 * MB, 50 * MB}) {
        while (log.byteCount() < milestone) {
            const QByteArray chunk = nextChunk(seed);
            QElapsedTimer step;
            step.start();
            log.append(chunk);
            QApplication::processEvents();
            maxStall = std::max(maxStall, double(step.nsecsElapsed()) / 1e6);
        }
        const qint64 feedNs = total.nsecsElapsed() - sampledNs;
        const double rate = double(log.byteCount()) / MB / (double(feedNs) / 1e9);
        const double lastRate
            = double(log.byteCount() - lastBytes) / MB / (double(feedNs - lastNs) / 1e9);
        QElapsedTimer sampling;
        sampling.start();
        const double eventMs = eventTime(append, painted, 3, seed);
        const double rss = residentMB() - baseline;
        printRow(double(log.byteCount()) / MB, rate, lastRate, eventMs, maxStall, rss,
            rss * MB / double(log.byteCount()));
        sampledNs += sampling.nsecsElapsed();
        lastNs = total.nsecsElapsed() - sampledNs;
        lastBytes = log.byteCount();
    }

    // Re-wrapping the whole line after a resize must keep the window responsive.
    QElapsedTimer relayout;
    relayout.start();
    window.resize(window.width() + 200, window.height());
    for (ReceiveView *view : views)
        view->resize(view->width() + 150, view->height());
    double longest = 0;
    // Laid out to the end once the last item has a place on screen.
    const auto complete = [&views, &log] {
        return std::all_of(views.begin(), views.end(), [&log](const ReceiveView *view) {
            return !view->itemRect(log.byteCount() - 1).isEmpty();
        });
    };
    while (!complete()) {
        QElapsedTimer step;
        step.start();
        QApplication::processEvents();
        longest = std::max(longest, double(step.nsecsElapsed()) / 1e6);
    }
    std::printf("resize at %.0f MB: all three re-wrapped in %.0f ms, longest stall %.1f ms\n",
        double(log.byteCount()) / MB, double(relayout.nsecsElapsed()) / 1e6, longest);
    const auto rows = [](const ReceiveView *view) {
        return view->verticalScrollBar()->maximum() + view->verticalScrollBar()->pageStep();
    };
    std::printf("rows: %d character, %d decimal, %d hexadecimal\n", rows(views[0]), rows(views[1]),
        rows(views[2]));
    return 0;
}

int runPlain()
{
    QWidget window;
    window.resize(twipsSize(11430, 4500));
    std::array<QPlainTextEdit *, 3> edits {};
    PaintCounter painted;
    for (int i = 0; i < 3; ++i) {
        edits[i] = new QPlainTextEdit(&window);
        edits[i]->setGeometry(Areas[i].geometry);
        edits[i]->setFont(DesignFonts::font(DesignFonts::Arial, 9.75));
        edits[i]->setReadOnly(true);
        edits[i]->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        edits[i]->viewport()->installEventFilter(&painted);
    }
    window.show();
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    const double baseline = residentMB();

    printHeader("QPlainTextEdit x3, insertPlainText at the end, one unbroken line, 4 KB events");
    qsizetype received = 0;
    const auto append = [&edits, &received](const QByteArray &chunk) {
        received += chunk.size();
        for (int i = 0; i < 3; ++i) {
            edits[i]->moveCursor(QTextCursor::End);
            edits[i]->insertPlainText(ReceiveFormatter::text(Areas[i].kind, chunk, {}));
        }
    };
    quint32 seed = 1;
    QElapsedTimer total;
    total.start();
    double maxStall = 0;
    qint64 sampledNs = 0;
    qint64 lastNs = 0;
    qsizetype lastBytes = 0;
    bool timedOut = false;
    for (qsizetype milestone : {1 * MB, 5 * MB}) {
        while (received < milestone) {
            const QByteArray chunk = nextChunk(seed);
            QElapsedTimer step;
            step.start();
            append(chunk);
            QApplication::processEvents();
            maxStall = std::max(maxStall, double(step.nsecsElapsed()) / 1e6);
            if (total.nsecsElapsed() - sampledNs > 60'000'000'000LL) {
                timedOut = true;
                break;
            }
        }
        const qint64 feedNs = total.nsecsElapsed() - sampledNs;
        const double rate = double(received) / MB / (double(feedNs) / 1e9);
        const double lastRate = double(received - lastBytes) / MB / (double(feedNs - lastNs) / 1e9);
        QElapsedTimer sampling;
        sampling.start();
        const double eventMs = eventTime(append, painted, 3, seed);
        const double rss = residentMB() - baseline;
        printRow(double(received) / MB, rate, lastRate, eventMs, maxStall, rss,
            rss * MB / double(received));
        sampledNs += sampling.nsecsElapsed();
        lastNs = total.nsecsElapsed() - sampledNs;
        lastBytes = received;
        if (timedOut) {
            std::printf("stopped after 60 s of feeding\n");
            break;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    DesignFonts::install();
    if (app.arguments().contains(QStringLiteral("--plain")))
        return runPlain();
    const int result = runViews();
    std::fflush(stdout);
    if (app.arguments().contains(QStringLiteral("--views-only")))
        return result;
    QProcess plain;
    plain.setProcessChannelMode(QProcess::ForwardedChannels);
    plain.start(app.applicationFilePath(), {QStringLiteral("--plain")});
    plain.waitForFinished(-1);
    return result;
}
