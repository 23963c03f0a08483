// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/receivecopy.h"

#include "core/receivetext.h"
#include "ui/messagebox.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QMimeData>
#include <QPointer>
#include <QProgressDialog>
#include <QScopeGuard>

#include <memory>
#include <new>

namespace {

// The text is built for this long between two passes of the event loop, looking at the clock
// after every block of bytes.
constexpr qint64 StepMs = 25;
constexpr qsizetype Block = 64 * 1024;
const QString ProgressLabel = QStringLiteral("正在複製選取範圍…");
const QString CancelCaption = QStringLiteral("取消");

// Memory for the longest text the range can give, taken at once so that no step allocates. Pages
// never written never take memory, and the unused end is cut off without copying.
QByteArray takeRoom(qsizetype room)
{
    QByteArray out;
    out.resize(room);
    if (room > 0 && (out.size() != room || out.constData() == nullptr))
        throw std::bad_alloc();
    return out;
}

QProgressDialog *makeProgress(QWidget *owner)
{
    auto *progress = new QProgressDialog(ProgressLabel, CancelCaption, 0, 1000, owner);
    progress->setWindowTitle(QStringLiteral("複製"));
    progress->setAccessibleName(ProgressLabel);
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(500);
    return progress;
}

// The log may have grown, and moved, while events ran: each block reads it anew.
void writeStep(ReceiveWriter &writer, QByteArray &out, const ReceiveLog &log)
{
    QElapsedTimer step;
    step.start();
    do
        writer.write(out, log.bytes(), log.lineBreaks(), Block);
    while (!writer.atEnd() && step.elapsed() < StepMs);
}

int permille(const ReceiveWriter &writer, const ReceiveWriter::Range &range)
{
    return int(1000 * (writer.nextByte() - range.firstByte) / (range.endByte - range.firstByte));
}

// UTF-8 is one byte a character for the numeric areas: half of what a QString of the text takes.
void putOnClipboard(const QByteArray &text)
{
    auto mime = std::make_unique<QMimeData>();
    // Both names share the one block: Qt reads the first, X11 terminals ask for the second.
    mime->setData(QStringLiteral("text/plain;charset=utf-8"), text);
    mime->setData(QStringLiteral("text/plain"), text);
    QApplication::clipboard()->setMimeData(mime.release());
}

} // namespace

void ReceiveCopy::copy(
    QWidget *owner, const ReceiveText &text, qsizetype from, qsizetype to, Form form)
{
    if (!text.log() || from >= to)
        return;
    const ReceiveWriter::Range range = text.range(from, to);
    ReceiveWriter writer(form, text.kind(), range);
    // Events run between steps: the owner (and text with it) or the log may go, the log may be
    // cleared.
    const QPointer<QWidget> self(owner);
    const QPointer<const ReceiveLog> log = text.log();
    const quint64 clears = log->clears();
    const QPointer<QProgressDialog> progress = makeProgress(owner);
    const auto cleanUp = qScopeGuard([&] { delete progress.data(); });
    try {
        // Out of this block before the box, the text's memory is given back for it.
        QByteArray out = takeRoom(writer.room());
        for (writeStep(writer, out, *log); !writer.atEnd(); writeStep(writer, out, *log)) {
            progress->setValue(permille(writer, range));
            QCoreApplication::processEvents();
            if (!self || !log || !progress || log->clears() != clears || progress->wasCanceled())
                return;
        }
        // A byte list of breaks alone is empty, and copied as such.
        out.resize(writer.written());
        putOnClipboard(out);
    } catch (const std::bad_alloc &) {
        if (progress)
            progress->reset();
        MessageBox::error(owner, TooLarge);
    }
}
