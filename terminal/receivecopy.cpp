// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/receivecopy.h"

#include "core/hexdigit.h"
#include "core/receivetext.h"
#include "ui/messagebox.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QMimeData>
#include <QPointer>
#include <QProgressDialog>
#include <QScopeGuard>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <new>

namespace {

// The text is built for this long between two passes of the event loop, looking at the clock
// after every block of bytes.
constexpr qint64 StepMs = 25;
constexpr qsizetype Block = 64 * 1024;
const QString ProgressLabel = QStringLiteral("正在複製選取範圍…");
const QString CancelCaption = QStringLiteral("取消");

} // namespace

void ReceiveCopy::copy(
    QWidget *owner, const ReceiveText &text, qsizetype from, qsizetype to, Form form)
{
    if (!text.log() || from >= to)
        return;
    const bool byteList = form == Form::ByteList;
    // The text goes to the clipboard as UTF-8, one byte a character for the numeric areas: half of
    // what a QString of it would take.
    std::array<QByteArray, 256> items;
    qsizetype widest = 2; // a line break's CR LF
    for (int b = 0; b < 256; ++b) {
        const char digits[] = {hexDigitChar(unsigned(b) >> 4), hexDigitChar(unsigned(b))};
        items[size_t(b)] = byteList ? QByteArray(digits, 2)
                                    : ReceiveFormatter::item(text.kind(), uchar(b)).toUtf8() + ' ';
        widest = std::max(widest, items[size_t(b)].size());
    }
    qsizetype k = text.breaksBefore(from);
    const qsizetype endBreak = text.breaksBefore(to);
    qsizetype b = from - k;
    const qsizetype endByte = to - endBreak;
    const qsizetype firstByte = b;
    // Room for the longest text the selection can give. A byte list puts "," or, where the line
    // breaks, one CR LF between two bytes: no more than a character a byte and one a break.
    const qsizetype room = byteList ? (endByte - b) * 3 + (endBreak - k)
                                    : (endByte - b) * widest + 2 * (endBreak - k);

    // Events run between steps: the owner (and text with it) or the log may go, the log may be
    // cleared.
    const QPointer<QWidget> self(owner);
    const QPointer<const ReceiveLog> log = text.log();
    bool cleared = false;
    const QMetaObject::Connection watch
        = QObject::connect(log, &ReceiveLog::cleared, owner, [&cleared] { cleared = true; });
    const QPointer<QProgressDialog> progress
        = new QProgressDialog(ProgressLabel, CancelCaption, 0, 1000, owner);
    const auto cleanUp = qScopeGuard([&] {
        QObject::disconnect(watch);
        delete progress.data();
    });
    progress->setWindowTitle(QStringLiteral("複製"));
    progress->setAccessibleName(ProgressLabel);
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(500);
    QByteArray out;
    qsizetype written = 0;
    try {
        // Pages never written never take memory, and the unused end is cut off without copying.
        // A byte list of breaks alone is empty, and copied as such.
        out.resize(room);
        if (room > 0 && (out.size() != room || out.constData() == nullptr))
            throw std::bad_alloc();
        char *at = out.data();
        QElapsedTimer step;
        for (;;) {
            // The log may have grown, and moved, while events ran.
            const auto *data = reinterpret_cast<const uchar *>(log->bytes().constData());
            const auto &breaks = log->lineBreaks();
            const auto put = [&](const char *piece, qsizetype size) {
                std::memcpy(at + written, piece, size_t(size));
                written += size;
            };
            step.start();
            while (b < endByte && step.elapsed() < StepMs) {
                const qsizetype blockEnd = std::min(endByte, b + Block);
                if (byteList) {
                    for (; b < blockEnd; ++b) {
                        bool broken = false;
                        for (; k < endBreak && breaks[size_t(k)] <= b; ++k)
                            broken = true;
                        if (b > firstByte)
                            broken ? put("\r\n", 2) : put(",", 1);
                        put(items[data[b]].constData(), 2);
                    }
                    continue;
                }
                for (; b < blockEnd; ++b) {
                    for (; k < endBreak && breaks[size_t(k)] <= b; ++k)
                        put("\r\n", 2);
                    const QByteArray &item = items[data[b]];
                    put(item.constData(), item.size());
                }
            }
            if (b == endByte) {
                // Breaks after the last byte end the area text; a byte list has no empty line.
                for (; k < endBreak && !byteList; ++k)
                    put("\r\n", 2);
                break;
            }
            progress->setValue(int(1000 * (b - firstByte) / (endByte - firstByte)));
            QCoreApplication::processEvents();
            if (!self || !log || !progress || cleared || progress->wasCanceled())
                return;
        }
        out.resize(written);
        auto mime = std::make_unique<QMimeData>();
        // Both names share the one block: Qt reads the first, X11 terminals ask for the second.
        mime->setData(QStringLiteral("text/plain;charset=utf-8"), out);
        mime->setData(QStringLiteral("text/plain"), out);
        QApplication::clipboard()->setMimeData(mime.release());
    } catch (const std::bad_alloc &) {
        out = QByteArray();
        if (progress)
            progress->reset();
        MessageBox::error(owner, TooLarge);
    }
}
