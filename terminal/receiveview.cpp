// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/receiveview.h"

#include "terminal/frameclock.h"
#include "terminal/receivecopy.h"
#include "terminal/receivescrollbar.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr qreal HorizontalMargin = 2;
constexpr qreal TopMargin = 1;
// Bytes wrapped per step when the whole log is laid out again (resize, font): a few
// milliseconds of work, so a 50 MB line re-wraps without freezing the window.
constexpr qsizetype LayoutChunk = 2 * 1024 * 1024;
// New data repaint at most this often: 25 updates a second is as fast as anyone reads a stream,
// and a fast stream would otherwise spend its time painting.
constexpr int RefreshIntervalMs = FrameClock::FrameMs;
// After a frame that scrolled by more than a page, whose rows nobody could read before the next
// one replaced them, frames come this far apart until one scrolls less: a few a second, and with
// the coarse timer's slack and the paint the newest bytes still reach the screen within 200 ms.
constexpr int BlurIntervalMs = 160;

} // namespace

ReceiveView::ReceiveView(ReceiveLog *log, ReceiveFormatter::Kind kind, FrameClock *frames,
    QWidget *parent, ReceiveNotices::Sink notices)
    : QAbstractScrollArea(parent)
    , m_frames(frames)
    , m_text(log, kind)
    , m_notices(this, m_text, std::move(notices))
{
    setVerticalScrollBar(new ReceiveScrollBar);
    // Rows wrap to the width, so only the vertical bar ever has a range.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setCursor(Qt::IBeamCursor);
    // The paint fills each row's background itself, once, and Qt fills nothing beneath it.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    m_layoutTimer.setSingleShot(true);
    measureItems();
    connectHandlers();
    restartLayout();
}

void ReceiveView::connectHandlers()
{
    if (const ReceiveLog *log = m_text.log()) {
        connect(log, &ReceiveLog::makingRoom, this, &ReceiveView::log_makingRoom);
        connect(log, &ReceiveLog::appended, this, &ReceiveView::log_grown);
        connect(log, &ReceiveLog::lineBreakAdded, this, &ReceiveView::log_grown);
        connect(log, &ReceiveLog::cleared, this, &ReceiveView::log_cleared);
        // A view outliving its log shows nothing rather than reading freed bytes.
        connect(log, &QObject::destroyed, this, &ReceiveView::log_cleared);
    }
    connect(&m_layoutTimer, &QTimer::timeout, this, &ReceiveView::continueLayout);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this,
        &ReceiveView::verticalScrollBar_valueChanged);
}

QString ReceiveView::text() const
{
    return m_text.log() ? m_text.log()->text(kind()) : QString();
}

const uchar *ReceiveView::data() const
{
    const ReceiveLog *log = m_text.log();
    return log ? reinterpret_cast<const uchar *>(log->bytes().constData()) : nullptr;
}

QString ReceiveView::selectedText() const
{
    return hasSelectedText() ? m_text.slice(selectionStart(), selectionEnd()) : QString();
}

void ReceiveView::copyByteList()
{
    const bool selected = hasSelectedText();
    ReceiveCopy::copy(this, m_text, selected ? selectionStart() : 0,
        selected ? selectionEnd() : m_text.tokenCount(), ReceiveCopy::Form::ByteList);
}

void ReceiveView::setSelection(qsizetype from, qsizetype to)
{
    moveCursor(from, false);
    moveCursor(to, true);
}

void ReceiveView::selectAll()
{
    m_anchor = 0;
    m_cursor = m_text.tokenCount();
    viewport()->update();
}

void ReceiveView::clearSelection()
{
    m_anchor = m_cursor;
    viewport()->update();
}

void ReceiveView::copy()
{
    if (hasSelectedText())
        ReceiveCopy::copy(this, m_text, selectionStart(), selectionEnd());
}

QRectF ReceiveView::itemRect(qsizetype byteIndex) const
{
    if (!m_text.log() || byteIndex < 0 || byteIndex >= m_text.log()->byteCount())
        return {};
    const qsizetype token = m_text.tokenOfByte(byteIndex);
    if (token >= m_wrap.laidOutTokens())
        return {};
    const uchar c = data()[byteIndex];
    return QRectF(xOfToken(token), rowTop(m_wrap.rowOfToken(token)), m_glyphs.width(c),
        m_glyphs.lineHeight());
}

void ReceiveView::log_grown()
{
    // A relayout under way picks up the new bytes and breaks itself.
    if (!m_layoutTimer.isActive())
        continueLayout();
    m_notices.grown();
}

void ReceiveView::log_makingRoom(qsizetype bytes, qsizetype breaks, bool &room)
{
    room = room && m_wrap.makeRoom(m_text.log(), m_glyphs, bytes, breaks);
}

void ReceiveView::log_cleared()
{
    m_notices.cleared();
    m_wrap.restart(m_wrap.width());
    m_anchor = m_cursor = 0;
    m_selecting = false;
    m_follow = true;
    m_dirtyFromRow = 0;
    refresh();
}

void ReceiveView::verticalScrollBar_valueChanged(int value)
{
    if (m_adjustingScroll)
        return;
    m_follow = value >= verticalScrollBar()->maximum();
    m_restoreTopToken.reset();
}

void ReceiveView::measureItems()
{
    m_glyphs.measure(font(), kind());
}

void ReceiveView::restartLayout()
{
    // Away from the end, the top row's first item stays on top; a relayout already under way
    // keeps the item it took, as the bar's value means little until the rows are all laid out.
    if (!m_follow) {
        m_restoreTopToken = m_restoreTopToken.value_or(
            m_wrap.rowStart(std::clamp(verticalScrollBar()->value(), 0, m_wrap.rowCount() - 1)));
    }
    // A floor keeps a not yet sized view from giving every item a row of its own.
    m_wrap.restart(
        std::max(viewport()->width() - 2 * HorizontalMargin, 4 * m_glyphs.widestAdvance()));
    continueLayout();
}

void ReceiveView::continueLayout()
{
    // New items go on the last row laid out and on rows after it.
    const int changed = m_wrap.rowCount() - 1;
    m_dirtyFromRow = std::min(m_dirtyFromRow, changed);
    // Out of memory while wrapping anew, the rows laid out stay and the rest waits for a clear or
    // the next relayout; the receive path makes its room before the log grows, so only a resize
    // or a font change can come here.
    if (m_wrap.layoutSome(m_text.log(), m_glyphs, LayoutChunk) == ReceiveWrap::Progress::Partial)
        m_layoutTimer.start();
    scheduleRefresh();
}

void ReceiveView::scheduleRefresh()
{
    if (m_frames->isScheduled(this))
        return;
    m_frames->schedule(this, m_blurred ? BlurIntervalMs : RefreshIntervalMs, [this] { refresh(); });
}

void ReceiveView::refresh()
{
    // Following the end scrolls the drawn pixels (scrollContentsBy); what is left to paint are the
    // rows that changed, when they are in view at all.
    const int top = verticalScrollBar()->value();
    updateScrollBar();
    m_blurred = m_follow && verticalScrollBar()->value() - top > visibleRows();
    if (m_dirtyFromRow != NothingDirty) {
        const int dirtyTop = std::max(0, int(std::floor(rowTop(m_dirtyFromRow))));
        if (dirtyTop < viewport()->height())
            viewport()->update(0, dirtyTop, viewport()->width(), viewport()->height() - dirtyTop);
        m_dirtyFromRow = NothingDirty;
    }
}

void ReceiveView::updateScrollBar()
{
    auto *bar = static_cast<ReceiveScrollBar *>(verticalScrollBar());
    const int visible = visibleRows();
    m_adjustingScroll = true;
    bar->quietly([&] {
        bar->setPageStep(visible);
        bar->setRange(0, std::max(0, m_wrap.rowCount() - visible));
        if (m_follow) {
            bar->setValue(bar->maximum());
        } else if (m_restoreTopToken && *m_restoreTopToken < m_wrap.laidOutTokens()) {
            bar->setValue(m_wrap.rowOfToken(*m_restoreTopToken));
            m_restoreTopToken.reset();
        }
    });
    m_adjustingScroll = false;
}

qsizetype ReceiveView::rowItemsEnd(int row) const
{
    const qsizetype first = m_wrap.rowStart(row);
    return first + m_text.byteOfToken(m_wrap.rowEnd(row)) - m_text.byteOfToken(first);
}

int ReceiveView::visibleRows() const
{
    return std::max(1, int((viewport()->height() - TopMargin) / m_glyphs.lineHeight()));
}

qreal ReceiveView::rowTop(int row) const
{
    return TopMargin + (row - verticalScrollBar()->value()) * m_glyphs.lineHeight();
}

int ReceiveView::rowAt(int y) const
{
    const int offset = int(std::floor((y - TopMargin) / m_glyphs.lineHeight()));
    return std::clamp(verticalScrollBar()->value() + offset, 0, m_wrap.rowCount() - 1);
}

qsizetype ReceiveView::tokenAt(const QPoint &pos) const
{
    return tokenInRow(rowAt(pos.y()), pos.x());
}

template<class Stop> ReceiveView::RowStop ReceiveView::walkRow(int row, Stop stop) const
{
    const qsizetype first = m_wrap.rowStart(row);
    const qsizetype firstByte = m_text.byteOfToken(first);
    const qsizetype endByte = m_text.byteOfToken(m_wrap.rowEnd(row));
    const uchar *bytes = data();
    qreal left = HorizontalMargin;
    for (qsizetype b = firstByte; b < endByte; ++b) {
        const qsizetype token = first + (b - firstByte);
        if (stop(token, bytes[b], left))
            return {token, left, true};
        left += m_glyphs.advance(bytes[b]);
    }
    return {first + (endByte - firstByte), left, false};
}

qsizetype ReceiveView::tokenInRow(int row, qreal x) const
{
    // The boundary nearest to x, so a drag selects whole items.
    return walkRow(row, [&](qsizetype, uchar c, qreal left) {
        return x < left + m_glyphs.width(c) / 2;
    }).token;
}

qreal ReceiveView::xOfToken(qsizetype token) const
{
    return walkRow(m_wrap.rowOfToken(token), [token](qsizetype t, uchar, qreal) {
        return t >= token;
    }).left;
}

void ReceiveView::moveCursor(qsizetype token, bool keepAnchor)
{
    m_cursor = std::clamp<qsizetype>(token, 0, m_text.tokenCount());
    if (!keepAnchor)
        m_anchor = m_cursor;
    scrollToToken(m_cursor);
    viewport()->update();
    m_notices.caretMoved(m_cursor, selectionStart(), selectionEnd());
}

void ReceiveView::scrollToToken(qsizetype token)
{
    const int row = m_wrap.rowOfToken(token);
    const int top = verticalScrollBar()->value();
    const int visible = visibleRows();
    if (row < top)
        verticalScrollBar()->setValue(row);
    else if (row >= top + visible)
        verticalScrollBar()->setValue(row - visible + 1);
}

void ReceiveView::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    const QBrush background = viewport()->palette().brush(viewport()->backgroundRole());
    if (!m_text.log()) {
        painter.fillRect(event->rect(), background);
        return;
    }
    const QPalette &pal = palette();
    const QColor textColor = pal.color(QPalette::Text);
    const QColor selectedColor = pal.color(QPalette::HighlightedText);
    const QBrush highlight = pal.brush(QPalette::Highlight);
    const qsizetype selFrom = selectionStart();
    const qsizetype selTo = selectionEnd();
    const uchar *bytes = data();
    const qreal height = m_glyphs.lineHeight();
    bool selectedPen = false;
    painter.setPen(textColor);

    // Each part of the region on its own: a frame that follows the end repaints the margin at the
    // top and the new rows at the bottom, not every row between them.
    const auto rowsOf = [this](const QRect &area) {
        const int first = std::max(verticalScrollBar()->value(), rowAt(area.top()));
        return std::pair {first,
            std::min({m_wrap.rowCount(), rowAt(area.bottom()) + 1, first + visibleRows() + 1})};
    };
    // All backgrounds before any item, as an item may reach into the next row's band. A band per
    // row keeps each fill on this thread, where one fill of a whole area goes to Qt's fill threads.
    for (const QRect &area : event->region()) {
        const auto [first, last] = rowsOf(area);
        const int rowsTop = int(rowTop(first));
        const int rowsBottom = first < last ? int(rowTop(last)) : rowsTop;
        if (area.top() < rowsTop)
            painter.fillRect(
                QRect(area.left(), area.top(), area.width(), rowsTop - area.top()), background);
        if (area.bottom() >= rowsBottom)
            painter.fillRect(
                QRect(area.left(), rowsBottom, area.width(), area.bottom() + 1 - rowsBottom),
                background);
        for (int row = first; row < last; ++row)
            painter.fillRect(QRectF(area.left(), rowTop(row), area.width(), height), background);
    }
    // Then each row once, in order: drawn twice, the edges of its glyphs would darken.
    int nextRow = 0;
    for (const QRect &area : event->region()) {
        const auto [first, last] = rowsOf(area);
        for (int row = std::max(first, nextRow); row < last; ++row) {
            const qsizetype firstToken = m_wrap.rowStart(row);
            const qsizetype endToken = m_wrap.rowEnd(row);
            const qreal top = rowTop(row);
            // The part of the selection in this row; most rows have none and draw in one go.
            const qsizetype from = std::clamp(selFrom, firstToken, endToken);
            const qsizetype to = std::clamp(selTo, firstToken, endToken);
            if (from == to) {
                if (selectedPen) {
                    painter.setPen(textColor);
                    selectedPen = false;
                }
                const qsizetype firstByte = m_text.byteOfToken(firstToken);
                m_glyphs.draw(painter, bytes, firstByte, m_text.byteOfToken(endToken),
                    QPointF(HorizontalMargin, top));
                continue;
            }
            const RowStop end = walkRow(row, [&](qsizetype token, uchar c, qreal x) {
                const bool selected = token >= selFrom && token < selTo;
                if (selected)
                    painter.fillRect(QRectF(x, top, m_glyphs.advance(c), height), highlight);
                if (selected != selectedPen) {
                    painter.setPen(selected ? selectedColor : textColor);
                    selectedPen = selected;
                }
                m_glyphs.draw(painter, &c, 0, 1, QPointF(x, top));
                return false;
            });
            if (end.token < endToken && end.token >= selFrom && end.token < selTo)
                painter.fillRect(QRectF(end.left, top, m_glyphs.blankWidth(), height), highlight);
        }
        nextRow = std::max(nextRow, last);
    }
    // The caret shows where the keyboard is, and that it is here.
    if (hasFocus()) {
        const QRectF caret(xOfToken(m_cursor) - 1, rowTop(m_wrap.rowOfToken(m_cursor)), 1, height);
        if (event->region().intersects(caret.toAlignedRect()))
            painter.fillRect(caret, textColor);
    }
}

void ReceiveView::resizeEvent(QResizeEvent *)
{
    if (std::max(viewport()->width() - 2 * HorizontalMargin, 4 * m_glyphs.widestAdvance())
        != m_wrap.width())
        restartLayout();
    updateScrollBar();
}

void ReceiveView::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        measureItems();
        restartLayout();
    }
}

void ReceiveView::keyPressEvent(QKeyEvent *event)
{
    if (!m_text.log()) {
        event->ignore();
        return;
    }
    QScrollBar *bar = verticalScrollBar();
    const int row = m_wrap.rowOfToken(m_cursor);
    const auto lineFromCursor = [&](int target) {
        if (target < 0)
            return qsizetype(0);
        if (target >= m_wrap.rowCount())
            return m_text.tokenCount();
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
        moveCursor(lineFromCursor(std::min(row + visibleRows(), m_wrap.rowCount() - 1)), true);
    else if (event == QKeySequence::SelectPreviousPage)
        moveCursor(lineFromCursor(std::max(row - visibleRows(), 0)), true);
    else if (event == QKeySequence::SelectStartOfLine)
        moveCursor(m_wrap.rowStart(row), true);
    else if (event == QKeySequence::SelectEndOfLine)
        moveCursor(rowItemsEnd(row), true);
    else if (event == QKeySequence::SelectStartOfDocument)
        moveCursor(0, true);
    else if (event == QKeySequence::SelectEndOfDocument)
        moveCursor(m_text.tokenCount(), true);
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
    if (event->button() != Qt::LeftButton || !m_text.log())
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
    if (event->button() != Qt::LeftButton || !m_text.log())
        return;
    // Selects the one item under the pointer, with its blank.
    const QPoint pos = event->position().toPoint();
    const RowStop item = walkRow(rowAt(pos.y()),
        [&](qsizetype, uchar c, qreal left) { return pos.x() < left + m_glyphs.advance(c); });
    if (!item.inside)
        return;
    m_anchor = item.token;
    m_cursor = m_anchor + 1;
    m_selecting = false;
    viewport()->update();
}

void ReceiveView::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    QAction *copyAction = menu.addAction(CopyCaption, this, [this] { copy(); });
    copyAction->setEnabled(hasSelectedText());
    menu.addSeparator();
    QAction *selectAllAction = menu.addAction(SelectAllCaption, this, &ReceiveView::selectAll);
    selectAllAction->setEnabled(m_text.tokenCount() > 0);
    QAction *byteListAction = menu.addAction(CopyByteListCaption, this, &ReceiveView::copyByteList);
    byteListAction->setEnabled(m_text.log() && m_text.log()->byteCount() > 0);
    menu.exec(event->globalPos());
}

void ReceiveView::scrollContentsBy(int, int dy)
{
    // Rows move whole, so the pixels move with them and only the uncovered rows are painted.
    const int pixels = int(dy * m_glyphs.lineHeight());
    if (std::abs(pixels) >= viewport()->height()) {
        viewport()->update();
        return;
    }
    viewport()->scroll(0, pixels);
    // The margin above the first row would keep a slice of the row scrolled out.
    viewport()->update(0, 0, viewport()->width(), int(std::ceil(TopMargin)));
}
