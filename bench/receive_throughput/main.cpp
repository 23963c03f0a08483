// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// A writer thread streams bytes as fast as it can into the master end of a pty whose slave end is
// the terminal's COM1: one unbroken line, no send. At 1, 10 and 50 MB received it prints the rate
// the terminal kept up with, the longest event-loop stall (the lateness of a 1 ms timer), the time
// of one 4 KB receive event (written with the stream paused, until the log has grown by 4 KB and
// all three areas have repainted) and the resident memory added per received byte.
// Then, in a child process so the memory figures do not mix, the same through three
// QPlainTextEdits fed the usual way (insert at the end), stopped at 5 MB or 60 s of feeding.
// Run with QT_QPA_PLATFORM=offscreen.

#include "bench/common/benchsupport.h"
#include "core/programfolders.h"
#include "tests/support/ptypair.h"

#include "core/receiveformatter.h"
#include "serial/qserialportadapter.h"
#include "terminal/receiveview.h"
#include "ui/designfonts.h"
#include "ui/twips.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScrollBar>
#include <QTextCursor>

#include <array>
#include <thread>

using namespace Bench;

namespace {

// What the stream is measured on: something that counts received bytes and repaints widgets.
struct Sink
{
    std::function<qsizetype()> received;
    std::vector<QWidget *> viewports;
};

// Streams into the pty from its own thread; parks on request so the main thread can time single
// events on a quiet line.
class Writer
{
public:
    explicit Writer(PtyPair &pty)
        : m_pty(pty)
        , m_thread([this] { loop(); })
    { }
    ~Writer()
    {
        m_quit = true;
        m_thread.join();
    }
    void pause()
    {
        m_pause = true;
        while (!m_parked)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    void resume() { m_pause = false; }
    qsizetype written() const { return m_written; }
    // Bytes the main thread writes itself while the writer is parked.
    void addWritten(qsizetype n) { m_written += n; }

private:
    void loop()
    {
        quint32 seed = 7;
        QByteArray chunk(64 * KB, Qt::Uninitialized);
        while (!m_quit) {
            if (m_pause) {
                m_parked = true;
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                continue;
            }
            m_parked = false;
            fillChunk(chunk.data(), chunk.size(), seed);
            const char *p = chunk.constData();
            qsizetype left = chunk.size();
            while (left > 0 && !m_pause && !m_quit) {
                const qsizetype n = Bench::writeSome(m_pty.masterFd(), p, left);
                if (n == 0) {
                    pollfd pfd {m_pty.masterFd(), POLLOUT, 0};
                    ::poll(&pfd, 1, 20);
                    continue;
                }
                p += n;
                left -= n;
                m_written += n;
            }
        }
    }

    PtyPair &m_pty;
    std::atomic<bool> m_quit {false};
    std::atomic<bool> m_pause {false};
    std::atomic<bool> m_parked {false};
    std::atomic<qsizetype> m_written {0};
    std::thread m_thread;
};

void printHeader(const char *what)
{
    std::printf("\n%s\n", what);
    std::printf("%8s %10s %10s %14s %14s %10s %10s\n", "MB", "rate MB/s", "last MB/s",
        "4 KB event ms", "longest stall", "RSS+ MB", "B/byte");
}

struct Row
{
    double mb = 0;
    double eventMs = 0;
    double stallMs = 0;
    double perByte = 0;
    double rate = 0;
};

void waitFor(const std::function<bool()> &done, int timeoutMs = 10000)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// One 4 KB write on a quiet line, until the bytes are in and every area has painted; the median
// of 15, each after the areas' repaint throttle has run out.
double eventTime(PtyPair &pty, Writer &writer, const Sink &sink, PaintCounter &painted)
{
    std::vector<double> samples;
    quint32 seed = 99;
    QElapsedTimer overall;
    overall.start();
    // A text widget slow enough to take seconds per event gets fewer samples.
    for (int i = 0; i < 15 && !(i >= 3 && overall.elapsed() > 10000); ++i) {
        TerminalRig::settle(250);
        const QByteArray chunk = nextChunk(seed, 4 * KB);
        const qsizetype target = sink.received() + chunk.size();
        painted.count = 0;
        QElapsedTimer timer;
        timer.start();
        qsizetype done = 0;
        while (done < chunk.size())
            done += Bench::writeSome(pty.masterFd(), chunk.constData() + done, chunk.size() - done);
        writer.addWritten(chunk.size());
        while ((sink.received() < target || painted.count < int(sink.viewports.size()))
            && timer.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        }
        samples.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return median(samples);
}

std::vector<Row> runStream(
    PtyPair &pty, const Sink &sink, const std::vector<qsizetype> &marks, qint64 feedLimitMs)
{
    PaintCounter painted;
    for (QWidget *w : sink.viewports)
        w->installEventFilter(&painted);
    TerminalRig::settle(300);
    const double baseline = residentMB();
    std::vector<Row> rows;

    StallMeter stall;
    Writer writer(pty);
    stall.start();
    QElapsedTimer feeding;
    qint64 feedNs = 0;
    qint64 lastFeedNs = 0;
    qsizetype lastBytes = 0;
    bool stopped = false;
    for (qsizetype mark : marks) {
        feeding.start();
        while (sink.received() < mark) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            if ((feedNs + feeding.nsecsElapsed()) / 1'000'000 > feedLimitMs) {
                stopped = true;
                break;
            }
        }
        feedNs += feeding.nsecsElapsed();
        const qsizetype got = sink.received();
        const double rate = double(got) / MB / (double(feedNs) / 1e9);
        const double lastRate = double(got - lastBytes) / MB / (double(feedNs - lastFeedNs) / 1e9);
        const double stallMs = stall.longestMs();

        writer.pause();
        waitFor([&] { return sink.received() >= writer.written(); });
        const double eventMs = eventTime(pty, writer, sink, painted);
        const double rss = residentMB() - baseline;
        const qsizetype total = sink.received();
        Row row {double(total) / MB, eventMs, stallMs, rss * MB / double(total), rate};
        std::printf("%8.1f %10.2f %10.2f %14.3f %11.1f ms %10.1f %10.2f\n", row.mb, rate, lastRate,
            eventMs, stallMs, rss, row.perByte);
        std::fflush(stdout);
        rows.push_back(row);
        lastFeedNs = feedNs;
        lastBytes = sink.received();
        if (stopped) {
            std::printf("stopped after %lld s of feeding\n", feedLimitMs / 1000);
            break;
        }
        stall.restartInterval();
        writer.resume();
    }
    writer.pause();
    stall.stop();
    return rows;
}

int runTerminal()
{
    PtyPair pty;
    if (pty.masterFd() < 0) {
        std::printf("no pseudo-terminal\n");
        return 1;
    }
    TerminalRig rig(pty.slavePath());
    if (Module1::PortIsOpen != Module1::VbTrue) {
        std::printf("the terminal did not open its port\n");
        return 1;
    }
    Sink sink;
    const ReceiveLog &log = rig.run().session().log();
    sink.received = [&log] { return log.byteCount(); };
    for (ReceiveView *view : rig.run().findChildren<ReceiveView *>())
        sink.viewports.push_back(view->viewport());

    printHeader("frmRun over a pty: three ReceiveViews on one ReceiveLog, one unbroken line");
    const std::vector<Row> rows = runStream(pty, sink, {1 * MB, 10 * MB, 50 * MB}, 600'000);
    if (rows.size() < 3)
        return 1;
    double worstStall = 0;
    double minRate = rows.front().rate;
    for (const Row &r : rows) {
        worstStall = std::max(worstStall, r.stallMs);
        minRate = std::min(minRate, r.rate);
    }
    const double eventRatio = rows[2].eventMs / rows[0].eventMs;
    std::printf("goal >= 2 MB/s sustained: %.2f MB/s, %s\n", minRate, met(minRate >= 2.0));
    std::printf("goal 4 KB event at 50 MB within 2x of 1 MB: %.2fx, %s\n", eventRatio,
        met(eventRatio <= 2.0));
    std::printf("goal longest stall < 50 ms: %.1f ms, %s\n", worstStall, met(worstStall < 50));
    std::printf(
        "goal memory < 8 B per byte: %.2f B, %s\n", rows[2].perByte, met(rows[2].perByte < 8));
    std::fflush(stdout);
    return 0;
}

// The usual way: one QPlainTextEdit per area, each receive event's text inserted at the end.
class PlainTerminal : public QWidget
{
public:
    PlainTerminal()
    {
        resize(twipsSize(11430, 4500));
        const std::array<QRect, 3> rects {twips(5700, 480, 5310, 1755),
            twips(5700, 2580, 5310, 1635), twips(180, 480, 5385, 3735)};
        for (int i = 0; i < 3; ++i) {
            edits[size_t(i)] = new QPlainTextEdit(this);
            edits[size_t(i)]->setGeometry(rects[size_t(i)]);
            edits[size_t(i)]->setFont(DesignFonts::font(DesignFonts::Arial, 9.75));
            edits[size_t(i)]->setReadOnly(true);
        }
        connect(&port, &SerialPort::OnComm, this, [this] {
            if (port.commEvent() != SerialPort::EvReceive)
                return;
            const QByteArray bytes = port.input();
            for (size_t i = 0; i < 3; ++i) {
                edits[i]->moveCursor(QTextCursor::End);
                edits[i]->insertPlainText(ReceiveFormatter::text(kinds[i], bytes, {}));
            }
            received += bytes.size();
        });
    }

    QSerialPortAdapter port {ProgramFolders::ports()};
    std::array<QPlainTextEdit *, 3> edits {};
    const std::array<ReceiveFormatter::Kind, 3> kinds {ReceiveFormatter::Kind::Character,
        ReceiveFormatter::Kind::Decimal, ReceiveFormatter::Kind::Hexadecimal};
    qsizetype received = 0;
};

int runPlain()
{
    PtyPair pty;
    QTemporaryDir dir;
    ProgramFolders::setProgram(dir.path());
    QDir(dir.path()).mkdir(QStringLiteral("ports"));
    QFile::link(pty.slavePath(), dir.filePath(QStringLiteral("ports/com1")));
    PlainTerminal plain;
    plain.port.setCommPort(1);
    plain.port.setSettings(QStringLiteral("115200,n,8,1"));
    plain.port.setPortOpen(true);
    plain.show();
    Sink sink;
    sink.received = [&plain] { return plain.received; };
    for (QPlainTextEdit *edit : plain.edits)
        sink.viewports.push_back(edit->viewport());

    printHeader("QPlainTextEdit x3 over a pty, insertPlainText at the end, one unbroken line");
    const std::vector<Row> rows = runStream(pty, sink, {1 * MB, 5 * MB}, 60'000);
    plain.port.setPortOpen(false);
    return rows.empty() ? 1 : 0;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    DesignFonts::install();
    if (app.arguments().contains(QStringLiteral("--plain")))
        return runPlain();
    printMachineLoad("at start");
    const int result = runTerminal();
    if (app.arguments().contains(QStringLiteral("--terminal-only")))
        return result;
    QProcess plain;
    plain.setProcessChannelMode(QProcess::ForwardedChannels);
    plain.start(app.applicationFilePath(), {QStringLiteral("--plain")});
    plain.waitForFinished(-1);
    printMachineLoad("at end");
    return result;
}
