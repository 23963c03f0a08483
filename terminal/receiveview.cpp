// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/receiveview.h"

#include "terminal/receiveviewaccessible.h"
#include "ui/messagebox.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace {

constexpr qreal HorizontalMargin = 2;
constexpr qreal TopMargin = 1;
// Bytes wrapped per step when the whole log is laid out again (resize, font): a few
// milliseconds of work, so a 50 MB line re-wraps without freezing the window.
constexpr qsizetype LayoutChunk = 2 * 1024 * 1024;
// New data repaint at most this often: 25 updates a second is as fast as anyone reads a stream,
// and a fast stream would otherwise spend its time painting.
constexpr int RefreshIntervalMs = 40;
constexpr int AnnounceIntervalMs = 250;
// A copy turns the selection into text for this long between two passes of the event loop,
// looking at the clock after every block of bytes.
constexpr qint64 CopyStepMs = 25;
constexpr qsizetype CopyBlock = 64 * 1024;
const QString CopyProgressLabel = QStringLiteral("正在複製選取範圍…");
const QString CopyCancelCaption = QStringLiteral("取消");

} // namespace

void ReceiveView::RowStarts::append(qsizetype token)
{
    const auto block = std::size_t(m_size >> Shift);
    if (block == m_blocks.size())
        m_blocks.push_back(std::make_unique_for_overwrite<qsizetype[]>(std::size_t(Mask) + 1));
    m_blocks[block][m_size & Mask] = token;
    ++m_size;
}

void ReceiveView::RowStarts::reset()
{
    m_blocks.clear();
    m_size = 0;
    append(0);
}

qsizetype ReceiveView::RowStarts::upperBound(qsizetype token) const
{
    qsizetype low = 0;
    qsizetype high = m_size;
    while (low < high) {
        const qsizetype mid = (low + high) / 2;
        if ((*this)[mid] <= token)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

ReceiveView::ReceiveView(ReceiveLog *log, ReceiveFormatter::Kind kind, QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_log(log)
    , m_kind(kind)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    verticalScrollBar()->setSingleStep(1);
    m_layoutTimer.setSingleShot(true);
    m_layoutTimer.setInterval(0);
    m_refreshTimer.setSingleShot(true);
    m_announceTimer.setSingleShot(true);
    m_announceTimer.setInterval(AnnounceIntervalMs);
    ReceiveViewAccessible::installFactory();
    measureItems();
    connectHandlers();
    restartLayout();
}

void ReceiveView::connectHandlers()
{
    if (m_log) {
        connect(m_log, &ReceiveLog::appended, this, &ReceiveView::log_appended);
        connect(m_log, &ReceiveLog::lineBreakAdded, this, &ReceiveView::log_lineBreakAdded);
        connect(m_log, &ReceiveLog::cleared, this, &ReceiveView::log_cleared);
        // A view outliving its log shows nothing rather than reading freed bytes.
        connect(m_log, &QObject::destroyed, this, &ReceiveView::log_cleared);
    }
    connect(&m_layoutTimer, &QTimer::timeout, this, &ReceiveView::continueLayout);
    connect(&m_refreshTimer, &QTimer::timeout, this, &ReceiveView::refresh);
    connect(&m_announceTimer, &QTimer::timeout, this,
        [this] { ReceiveViewAccessible::announceChange(this); });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this,
        &ReceiveView::verticalScrollBar_valueChanged);
}

QString ReceiveView::text() const
{
    return m_log ? m_log->text(m_kind) : QString();
}

ReceiveView::Part ReceiveView::part(qsizetype from, qsizetype to) const
{
    const qsizetype firstBreak = breaksBefore(from);
    const qsizetype endBreak = breaksBefore(to);
    const qsizetype firstByte = from - firstBreak;
    const qsizetype endByte = to - endBreak;
    const auto &breaks = m_log->lineBreaks();
    Part part;
    part.bytes = QByteArrayView(m_log->bytes()).sliced(firstByte, endByte - firstByte);
    part.breaks.reserve(std::size_t(endBreak - firstBreak));
    for (qsizetype k = firstBreak; k < endBreak; ++k)
        part.breaks.push_back(breaks[std::size_t(k)] - firstByte);
    return part;
}

QString ReceiveView::selectedText() const
{
    if (!m_log || !hasSelectedText())
        return {};
    const Part p = part(std::min(m_anchor, m_cursor), std::max(m_anchor, m_cursor));
    return ReceiveFormatter::text(m_kind, p.bytes, p.breaks);
}

QString ReceiveView::selectedByteList() const
{
    if (!m_log)
        return {};
    const Part p = hasSelectedText()
        ? part(std::min(m_anchor, m_cursor), std::max(m_anchor, m_cursor))
        : part(0, tokenCount());
    return ReceiveFormatter::byteList(p.bytes, p.breaks);
}

void ReceiveView::selectAll()
{
    m_anchor = 0;
    m_cursor = tokenCount();
    viewport()->update();
}

void ReceiveView::clearSelection()
{
    m_anchor = m_cursor;
    viewport()->update();
}

void ReceiveView::copy()
{
    if (!m_log || !hasSelectedText())
        return;
    // The text goes to the clipboard as UTF-8, one byte a character for the numeric areas: half of
    // what a QString of it would take.
    std::array<QByteArray, 256> items;
    qsizetype widest = 2; // a line break's CR LF
    for (int b = 0; b < 256; ++b) {
        items[size_t(b)] = ReceiveFormatter::item(m_kind, uchar(b)).toUtf8() + ' ';
        widest = std::max(widest, items[size_t(b)].size());
    }
    const qsizetype from = std::min(m_anchor, m_cursor);
    const qsizetype to = std::max(m_anchor, m_cursor);
    qsizetype k = breaksBefore(from);
    const qsizetype endBreak = breaksBefore(to);
    qsizetype b = from - k;
    const qsizetype endByte = to - endBreak;
    const qsizetype firstByte = b;

    // Events run between steps: the view or its log may go, the log may be cleared.
    const QPointer<ReceiveView> self(this);
    const QPointer<ReceiveLog> log = m_log;
    bool cleared = false;
    const QMetaObject::Connection watch
        = connect(log, &ReceiveLog::cleared, this, [&cleared] { cleared = true; });
    const QPointer<QProgressDialog> progress
        = new QProgressDialog(CopyProgressLabel, CopyCancelCaption, 0, 1000, this);
    const auto cleanUp = qScopeGuard([&] {
        disconnect(watch);
        delete progress.data();
    });
    progress->setWindowTitle(QStringLiteral("複製"));
    progress->setAccessibleName(CopyProgressLabel);
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(500);
    QByteArray text;
    qsizetype written = 0;
    try {
        // Room for the longest text the selection can give; pages never written never take
        // memory, and the unused end is cut off without copying.
        text.resize((endByte - b) * widest + 2 * (endBreak - k));
        if (text.isEmpty() || text.constData() == nullptr)
            throw std::bad_alloc();
        char *out = text.data();
        QElapsedTimer step;
        for (;;) {
            // The log may have grown, and moved, while events ran.
            const auto *data = reinterpret_cast<const uchar *>(log->bytes().constData());
            const auto &breaks = log->lineBreaks();
            step.start();
            while (b < endByte && step.elapsed() < CopyStepMs) {
                for (const qsizetype blockEnd = std::min(endByte, b + CopyBlock); b < blockEnd;
                     ++b) {
                    for (; k < endBreak && breaks[size_t(k)] <= b; ++k) {
                        std::memcpy(out + written, "\r\n", 2);
                        written += 2;
                    }
                    const QByteArray &item = items[data[b]];
                    std::memcpy(out + written, item.constData(), size_t(item.size()));
                    written += item.size();
                }
            }
            if (b == endByte) {
                for (; k < endBreak; ++k) {
                    std::memcpy(out + written, "\r\n", 2);
                    written += 2;
                }
                break;
            }
            progress->setValue(int(1000 * (b - firstByte) / (endByte - firstByte)));
            QCoreApplication::processEvents();
            if (!self || !log || !progress || cleared || progress->wasCanceled())
                return;
        }
        text.resize(written);
        auto mime = std::make_unique<QMimeData>();
        // Both names share the one block: Qt reads the first, X11 terminals ask for the second.
        mime->setData(QStringLiteral("text/plain;charset=utf-8"), text);
        mime->setData(QStringLiteral("text/plain"), text);
        QApplication::clipboard()->setMimeData(mime.release());
    } catch (const std::bad_alloc &) {
        text = QByteArray();
        if (progress)
            progress->reset();
        MessageBox::error(this, CopyTooLarge);
    }
}

QString ReceiveView::visualRowText(int row) const
{
    if (!m_log || row < 0 || row >= m_rows.size())
        return {};
    const qsizetype first = m_rows[row];
    const qsizetype end = rowEnd(row);
    const qsizetype firstByte = byteOfToken(first);
    const qsizetype endByte = byteOfToken(end);
    QString items = ReceiveFormatter::text(
        m_kind, QByteArrayView(m_log->bytes()).sliced(firstByte, endByte - firstByte), {});
    if (end - first > endByte - firstByte)
        items += QLatin1String("\r\n");
    return items;
}

QRectF ReceiveView::itemRect(qsizetype byteIndex) const
{
    if (!m_log || byteIndex < 0 || byteIndex >= m_log->byteCount())
        return {};
    const auto &breaks = m_log->lineBreaks();
    const qsizetype token
        = byteIndex + (std::upper_bound(breaks.begin(), breaks.end(), byteIndex) - breaks.begin());
    if (token >= laidOutTokens())
        return {};
    const uchar c = uchar(m_log->bytes()[byteIndex]);
    return QRectF(xOfToken(token), rowTop(rowOfToken(token)), m_itemWidth[c], m_lineHeight);
}

bool ReceiveView::isLayoutComplete() const
{
    return !m_log || laidOutTokens() == tokenCount();
}

void ReceiveView::log_appended()
{
    // A relayout under way picks up the new bytes itself.
    if (!m_layoutTimer.isActive())
        continueLayout();
    if (QAccessible::isActive() && !m_announceTimer.isActive())
        m_announceTimer.start();
}

void ReceiveView::log_lineBreakAdded()
{
    if (!m_layoutTimer.isActive())
        continueLayout();
    if (QAccessible::isActive() && !m_announceTimer.isActive())
        m_announceTimer.start();
}

void ReceiveView::log_cleared()
{
    ++m_generation;
    m_announceTimer.stop();
    ReceiveViewAccessible::announceChange(this);
    m_layoutTimer.stop();
    m_rows.reset();
    m_pos = 0;
    m_breaksLaidOut = 0;
    m_x = 0;
    m_anchor = m_cursor = 0;
    m_selecting = false;
    m_follow = true;
    m_restoreTopToken = -1;
    m_refreshTimer.stop();
    m_dirtyFromRow = 0;
    refresh();
}

void ReceiveView::verticalScrollBar_valueChanged(int value)
{
    if (m_adjustingScroll)
        return;
    m_follow = value >= verticalScrollBar()->maximum();
    m_restoreTopToken = -1;
}

void ReceiveView::measureItems()
{
    // Each item is drawn on its own at the sum of the advances before it, so the wrap agrees with
    // what is drawn whatever the font does between glyphs of a longer string.
    m_drawFont = font();
    const QFontMetricsF metrics(m_drawFont);
    m_blankWidth = metrics.horizontalAdvance(QLatin1Char(' '));
    m_lineHeight = std::max<qreal>(1, std::ceil(metrics.lineSpacing()));
    for (int b = 0; b < 256; ++b) {
        const QString item = ReceiveFormatter::item(m_kind, uchar(b));
        m_itemWidth[b] = metrics.horizontalAdvance(item);
        m_itemAdvance[b] = m_itemWidth[b] + m_blankWidth;
    }
    prepareGlyphs();
}

void ReceiveView::prepareGlyphs()
{
    // The glyphs of every item as the text engine places them (fallback fonts included), so a row
    // is drawn with one glyph run per font instead of one text call per item.
    m_rawFonts.clear();
    for (int b = 0; b < 256; ++b) {
        ItemGlyphs &glyphs = m_glyphs[size_t(b)];
        glyphs = {};
        QTextLayout layout(ReceiveFormatter::item(m_kind, uchar(b)), m_drawFont);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        for (const QGlyphRun &run : layout.glyphRuns()) {
            auto font = std::find(m_rawFonts.begin(), m_rawFonts.end(), run.rawFont());
            if (font == m_rawFonts.end())
                font = m_rawFonts.insert(m_rawFonts.end(), run.rawFont());
            const QList<quint32> indexes = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            for (qsizetype g = 0; g < indexes.size(); ++g) {
                glyphs.font.push_back(int(font - m_rawFonts.begin()));
                glyphs.index.push_back(indexes[g]);
                glyphs.offset.push_back(positions[g]);
            }
        }
    }
    m_runIndexes.assign(m_rawFonts.size(), {});
    m_runPositions.assign(m_rawFonts.size(), {});
}

void ReceiveView::drawGlyphs(
    QPainter &painter, const uchar *data, qsizetype firstByte, qsizetype endByte, QPointF at)
{
    qreal x = at.x();
    const qreal top = at.y();
    for (qsizetype b = firstByte; b < endByte; ++b) {
        const ItemGlyphs &glyphs = m_glyphs[data[b]];
        for (size_t g = 0; g < glyphs.index.size(); ++g) {
            m_runIndexes[size_t(glyphs.font[g])].push_back(glyphs.index[g]);
            m_runPositions[size_t(glyphs.font[g])].push_back(QPointF(x, top) + glyphs.offset[g]);
        }
        x += m_itemAdvance[data[b]];
    }
    for (size_t f = 0; f < m_rawFonts.size(); ++f) {
        if (m_runIndexes[f].empty())
            continue;
        QGlyphRun run;
        run.setRawFont(m_rawFonts[f]);
        run.setRawData(
            m_runIndexes[f].data(), m_runPositions[f].data(), int(m_runIndexes[f].size()));
        painter.drawGlyphRun(QPointF(), run);
        m_runIndexes[f].clear();
        m_runPositions[f].clear();
    }
}

void ReceiveView::restartLayout()
{
    if (!m_follow && m_restoreTopToken < 0)
        m_restoreTopToken
            = m_rows[std::clamp(verticalScrollBar()->value(), 0, int(m_rows.size()) - 1)];
    m_layoutTimer.stop();
    m_rows.reset();
    m_pos = 0;
    m_breaksLaidOut = 0;
    m_x = 0;
    // A floor keeps a not yet sized view from giving every item a row of its own.
    const qreal widest = *std::max_element(m_itemAdvance.begin(), m_itemAdvance.end());
    m_layoutWidth = std::max(viewport()->width() - 2 * HorizontalMargin, 4 * widest);
    continueLayout();
}

bool ReceiveView::layoutSome(qsizetype budget)
{
    if (!m_log)
        return true;
    const QByteArray &bytes = m_log->bytes();
    const auto &breaks = m_log->lineBreaks();
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype end = std::min(bytes.size(), m_pos + budget);
    const qreal width = m_layoutWidth;
    qsizetype pos = m_pos;
    std::size_t nextBreak = m_breaksLaidOut;
    qreal x = m_x;
    for (;;) {
        for (; nextBreak < breaks.size() && breaks[nextBreak] <= pos; ++nextBreak) {
            m_rows.append(pos + qsizetype(nextBreak) + 1);
            x = 0;
        }
        if (pos == end)
            break;
        const uchar c = data[pos];
        // An item wider than the whole row still goes on it: items are never split.
        if (x > 0 && x + m_itemWidth[c] > width) {
            m_rows.append(pos + qsizetype(nextBreak));
            x = 0;
        }
        x += m_itemAdvance[c];
        ++pos;
    }
    m_pos = pos;
    m_breaksLaidOut = nextBreak;
    m_x = x;
    return pos == bytes.size() && nextBreak == breaks.size();
}

void ReceiveView::continueLayout()
{
    // New items go on the last row laid out and on rows after it.
    const int changed = int(m_rows.size()) - 1;
    if (m_dirtyFromRow < 0 || changed < m_dirtyFromRow)
        m_dirtyFromRow = changed;
    if (!layoutSome(LayoutChunk))
        m_layoutTimer.start();
    scheduleRefresh();
}

void ReceiveView::scheduleRefresh()
{
    if (m_refreshTimer.isActive())
        return;
    const qint64 since = m_sinceRefresh.isValid() ? m_sinceRefresh.elapsed() : RefreshIntervalMs;
    m_refreshTimer.start(int(std::max<qint64>(0, RefreshIntervalMs - since)));
}

void ReceiveView::refresh()
{
    // Following the end scrolls the drawn pixels (scrollContentsBy); what is left to paint are the
    // rows that changed, when they are in view at all.
    updateScrollBar();
    if (m_dirtyFromRow >= 0) {
        const int top = std::max(0, int(std::floor(rowTop(m_dirtyFromRow))));
        if (top < viewport()->height())
            viewport()->update(0, top, viewport()->width(), viewport()->height() - top);
        m_dirtyFromRow = -1;
    }
    m_sinceRefresh.restart();
}

void ReceiveView::updateScrollBar()
{
    QScrollBar *bar = verticalScrollBar();
    const int visible = visibleRows();
    m_adjustingScroll = true;
    bar->setPageStep(visible);
    bar->setRange(0, std::max(0, int(m_rows.size()) - visible));
    if (m_follow) {
        bar->setValue(bar->maximum());
    } else if (m_restoreTopToken >= 0 && m_restoreTopToken < laidOutTokens()) {
        bar->setValue(rowOfToken(m_restoreTopToken));
        m_restoreTopToken = -1;
    }
    m_adjustingScroll = false;
}

qsizetype ReceiveView::tokenCount() const
{
    return m_log ? m_log->byteCount() + qsizetype(m_log->lineBreaks().size()) : 0;
}

qsizetype ReceiveView::breaksBefore(qsizetype token) const
{
    if (!m_log)
        return 0;
    // Break k is token breaks[k] + k; those tokens rise with k.
    const auto &breaks = m_log->lineBreaks();
    std::size_t low = 0;
    std::size_t high = breaks.size();
    while (low < high) {
        const std::size_t mid = (low + high) / 2;
        if (breaks[mid] + qsizetype(mid) < token)
            low = mid + 1;
        else
            high = mid;
    }
    return qsizetype(low);
}

qsizetype ReceiveView::rowEnd(int row) const
{
    return row + 1 < m_rows.size() ? m_rows[row + 1] : laidOutTokens();
}

int ReceiveView::rowOfToken(qsizetype token) const
{
    return std::max(0, int(m_rows.upperBound(token)) - 1);
}

qsizetype ReceiveView::rowItemsEnd(int row) const
{
    const qsizetype first = m_rows[row];
    return first + byteOfToken(rowEnd(row)) - byteOfToken(first);
}

int ReceiveView::visibleRows() const
{
    return std::max(1, int((viewport()->height() - TopMargin) / m_lineHeight));
}

qreal ReceiveView::rowTop(int row) const
{
    return TopMargin + (row - verticalScrollBar()->value()) * m_lineHeight;
}

int ReceiveView::rowAt(int y) const
{
    const int offset = int(std::floor((y - TopMargin) / m_lineHeight));
    return std::clamp(verticalScrollBar()->value() + offset, 0, int(m_rows.size()) - 1);
}

qsizetype ReceiveView::tokenAt(const QPoint &pos) const
{
    return tokenInRow(rowAt(pos.y()), pos.x());
}

qsizetype ReceiveView::tokenInRow(int row, qreal x) const
{
    // The boundary nearest to x, so a drag selects whole items.
    const qsizetype first = m_rows[row];
    const qsizetype firstByte = byteOfToken(first);
    const qsizetype endByte = byteOfToken(rowEnd(row));
    const auto *data = reinterpret_cast<const uchar *>(m_log->bytes().constData());
    qreal left = HorizontalMargin;
    for (qsizetype b = firstByte; b < endByte; ++b) {
        const uchar c = data[b];
        if (x < left + m_itemWidth[c] / 2)
            return first + (b - firstByte);
        left += m_itemAdvance[c];
    }
    return first + (endByte - firstByte);
}

qreal ReceiveView::xOfToken(qsizetype token) const
{
    const int row = rowOfToken(token);
    const qsizetype firstByte = byteOfToken(m_rows[row]);
    const qsizetype endByte = std::min(byteOfToken(token), byteOfToken(rowEnd(row)));
    const auto *data = reinterpret_cast<const uchar *>(m_log->bytes().constData());
    qreal x = HorizontalMargin;
    for (qsizetype b = firstByte; b < endByte; ++b)
        x += m_itemAdvance[data[b]];
    return x;
}

void ReceiveView::moveCursor(qsizetype token, bool keepAnchor)
{
    m_cursor = std::clamp<qsizetype>(token, 0, tokenCount());
    if (!keepAnchor)
        m_anchor = m_cursor;
    ensureCursorVisible();
    viewport()->update();
    ReceiveViewAccessible::announceCaret(this);
}

void ReceiveView::ensureCursorVisible()
{
    const int row = rowOfToken(m_cursor);
    const int top = verticalScrollBar()->value();
    const int visible = visibleRows();
    if (row < top)
        setScrollValue(row);
    else if (row >= top + visible)
        setScrollValue(row - visible + 1);
}

void ReceiveView::setScrollValue(int value)
{
    verticalScrollBar()->setValue(value);
}

void ReceiveView::paintEvent(QPaintEvent *event)
{
    if (!m_log)
        return;
    QPainter painter(viewport());
    painter.setFont(m_drawFont);
    const QPalette &pal = palette();
    const QColor textColor = pal.color(QPalette::Text);
    const QColor selectedColor = pal.color(QPalette::HighlightedText);
    const QBrush highlight = pal.brush(QPalette::Highlight);
    const qsizetype selFrom = std::min(m_anchor, m_cursor);
    const qsizetype selTo = std::max(m_anchor, m_cursor);
    const auto *data = reinterpret_cast<const uchar *>(m_log->bytes().constData());

    // Only the rows the paint region touches.
    const int first = std::max(verticalScrollBar()->value(), rowAt(event->rect().top()));
    const int last = std::min(
        {int(m_rows.size()), rowAt(event->rect().bottom()) + 1, first + visibleRows() + 1});
    bool selectedPen = false;
    painter.setPen(textColor);
    for (int row = first; row < last; ++row) {
        const qsizetype firstToken = m_rows[row];
        const qsizetype endToken = rowEnd(row);
        const qsizetype firstByte = byteOfToken(firstToken);
        const qsizetype endByte = byteOfToken(endToken);
        const qreal top = rowTop(row);
        if (selFrom == selTo || firstToken >= selTo || endToken <= selFrom) {
            if (selectedPen) {
                painter.setPen(textColor);
                selectedPen = false;
            }
            drawGlyphs(painter, data, firstByte, endByte, QPointF(HorizontalMargin, top));
            continue;
        }
        qreal x = HorizontalMargin;
        for (qsizetype b = firstByte; b < endByte; ++b) {
            const uchar c = data[b];
            const qsizetype token = firstToken + (b - firstByte);
            const bool selected = token >= selFrom && token < selTo;
            if (selected)
                painter.fillRect(QRectF(x, top, m_itemAdvance[c], m_lineHeight), highlight);
            if (selected != selectedPen) {
                painter.setPen(selected ? selectedColor : textColor);
                selectedPen = selected;
            }
            drawGlyphs(painter, data, b, b + 1, QPointF(x, top));
            x += m_itemAdvance[c];
        }
        const qsizetype breakToken = firstToken + (endByte - firstByte);
        if (breakToken < endToken && breakToken >= selFrom && breakToken < selTo)
            painter.fillRect(QRectF(x, top, m_blankWidth, m_lineHeight), highlight);
    }
    // The caret shows where the keyboard is, and that it is here.
    const int caretRow = rowOfToken(m_cursor);
    if (hasFocus() && caretRow >= first && caretRow < last)
        painter.fillRect(
            QRectF(xOfToken(m_cursor) - 1, rowTop(caretRow), 1, m_lineHeight), textColor);
}

void ReceiveView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    const qreal widest = *std::max_element(m_itemAdvance.begin(), m_itemAdvance.end());
    if (std::max(viewport()->width() - 2 * HorizontalMargin, 4 * widest) != m_layoutWidth)
        restartLayout();
    updateScrollBar();
}

void ReceiveView::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        measureItems();
        restartLayout();
        updateScrollBar();
    }
}

void ReceiveView::keyPressEvent(QKeyEvent *event)
{
    if (!m_log) {
        event->ignore();
        return;
    }
    QScrollBar *bar = verticalScrollBar();
    const int row = rowOfToken(m_cursor);
    const auto lineFromCursor = [&](int target) {
        if (target < 0)
            return qsizetype(0);
        if (target >= m_rows.size())
            return tokenCount();
        return tokenInRow(target, xOfToken(m_cursor));
    };

    if (event == QKeySequence::SelectAll)
        selectAll();
    else if (event == QKeySequence::Copy)
        copy();
    else if (event == QKeySequence::SelectNextChar)
        moveCursor(m_cursor + 1, true);
    else if (event == QKeySequence::SelectPreviousChar)
        moveCursor(m_cursor - 1, true);
    else if (event == QKeySequence::SelectNextLine)
        moveCursor(lineFromCursor(row + 1), true);
    else if (event == QKeySequence::SelectPreviousLine)
        moveCursor(lineFromCursor(row - 1), true);
    else if (event == QKeySequence::SelectNextPage)
        moveCursor(lineFromCursor(std::min(row + visibleRows(), int(m_rows.size()) - 1)), true);
    else if (event == QKeySequence::SelectPreviousPage)
        moveCursor(lineFromCursor(std::max(row - visibleRows(), 0)), true);
    else if (event == QKeySequence::SelectStartOfLine)
        moveCursor(m_rows[row], true);
    else if (event == QKeySequence::SelectEndOfLine)
        moveCursor(rowItemsEnd(row), true);
    else if (event == QKeySequence::SelectStartOfDocument)
        moveCursor(0, true);
    else if (event == QKeySequence::SelectEndOfDocument)
        moveCursor(tokenCount(), true);
    else if (event == QKeySequence::MoveToStartOfDocument)
        bar->triggerAction(QAbstractSlider::SliderToMinimum);
    else if (event == QKeySequence::MoveToEndOfDocument)
        bar->triggerAction(QAbstractSlider::SliderToMaximum);
    else if (event == QKeySequence::MoveToNextPage)
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    else if (event == QKeySequence::MoveToPreviousPage)
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    else if (event == QKeySequence::MoveToNextLine)
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    else if (event == QKeySequence::MoveToPreviousLine)
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else
        event->ignore();
}

void ReceiveView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_log)
        return;
    m_selecting = true;
    moveCursor(tokenAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
}

void ReceiveView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_selecting || !(event->buttons() & Qt::LeftButton))
        return;
    const QPoint pos = event->position().toPoint();
    QScrollBar *bar = verticalScrollBar();
    if (pos.y() < 0)
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (pos.y() >= viewport()->height())
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    moveCursor(tokenAt(pos), true);
}

void ReceiveView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_selecting = false;
}

void ReceiveView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_log)
        return;
    // Selects the one item under the pointer, with its blank.
    const QPoint pos = event->position().toPoint();
    const int row = rowAt(pos.y());
    const qsizetype first = m_rows[row];
    const qsizetype firstByte = byteOfToken(first);
    const qsizetype endByte = byteOfToken(rowEnd(row));
    const auto *data = reinterpret_cast<const uchar *>(m_log->bytes().constData());
    qreal left = HorizontalMargin;
    for (qsizetype b = firstByte; b < endByte; ++b) {
        left += m_itemAdvance[data[b]];
        if (pos.x() < left) {
            m_anchor = first + (b - firstByte);
            m_cursor = m_anchor + 1;
            m_selecting = false;
            viewport()->update();
            return;
        }
    }
}

void ReceiveView::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    QAction *copyAction = menu.addAction(CopyCaption, this, [this] { copy(); });
    copyAction->setEnabled(hasSelectedText());
    menu.addSeparator();
    QAction *selectAllAction = menu.addAction(SelectAllCaption, this, &ReceiveView::selectAll);
    selectAllAction->setEnabled(tokenCount() > 0);
    QAction *byteListAction = menu.addAction(CopyByteListCaption, this,
        [this] { QApplication::clipboard()->setText(selectedByteList()); });
    byteListAction->setEnabled(m_log && m_log->byteCount() > 0);
    menu.exec(event->globalPos());
}

void ReceiveView::scrollContentsBy(int, int dy)
{
    // Rows move whole, so the pixels move with them and only the uncovered rows are painted.
    const int pixels = int(dy * m_lineHeight);
    if (std::abs(pixels) >= viewport()->height()) {
        viewport()->update();
        return;
    }
    viewport()->scroll(0, pixels);
    // The margin above the first row would keep a slice of the row scrolled out.
    viewport()->update(0, 0, viewport()->width(), int(std::ceil(TopMargin)));
}
