// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/receiveformatter.h"
#include "core/receivelog.h"
#include "core/receivetext.h"
#include "terminal/receiveglyphs.h"
#include "terminal/receivenotices.h"
#include "terminal/receivewrap.h"

#include <QAbstractScrollArea>
#include <QTimer>

#include <algorithm>
#include <limits>
#include <optional>

class FrameClock;

// One receive area: a read-only, wrapping, selectable view of a ReceiveLog through one formatter.
// It never owns the data and its cost per update does not grow with the log: it keeps one start
// position per visual row, extends the wrap as bytes arrive, and paints only the visible rows.
//
// Positions used for the selection and the cursor count tokens of the area text (ReceiveText).
// The view keeps the state of what the user sees and does; the positions in the text, the rows,
// the items in the current font, the screen-reader notices and a long copy each have a class.
class ReceiveView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    // frames: the clock that draws the view's updates, shared by the areas of a window; it
    // outlives the view. notices: where the screen-reader notices go, by default the platform's
    // screen reader.
    ReceiveView(ReceiveLog *log, ReceiveFormatter::Kind kind, FrameClock *frames,
        QWidget *parent = nullptr, ReceiveNotices::Sink notices = {});

    static inline const QString CopyCaption = QStringLiteral("複製(&C)");
    static inline const QString SelectAllCaption = QStringLiteral("全選(&A)");
    static inline const QString CopyByteListCaption = QStringLiteral("複製為16進制字串");

    ReceiveFormatter::Kind kind() const { return m_text.kind(); }
    const ReceiveText &receiveText() const { return m_text; }
    // Exactly the area text.
    QString text() const;

    bool hasSelectedText() const { return m_anchor != m_cursor; }
    qsizetype selectionStart() const { return std::min(m_anchor, m_cursor); }
    qsizetype selectionEnd() const { return std::max(m_anchor, m_cursor); }
    qsizetype cursorPosition() const { return m_cursor; }
    // Both move the cursor as the keys do: into view, and told to screen readers.
    void setCursorPosition(qsizetype token) { moveCursor(token, false); }
    void setSelection(qsizetype from, qsizetype to);
    // The selected part of the area text: whole items with their blanks, and CR LF for breaks.
    QString selectedText() const;
    // Puts the selection, or the whole area when nothing is selected, on the clipboard as a
    // hexadecimal byte list that the send line and the calculator take as typed (ReceiveCopy).
    void copyByteList();
    void selectAll();
    void clearSelection();
    // Puts the selected text on the clipboard as ReceiveCopy does.
    void copy();

    // Where a byte's item is drawn in the viewport; empty while its row is not laid out yet.
    QRectF itemRect(qsizetype byteIndex) const;
    // The boundary between items nearest to a point of the viewport.
    qsizetype tokenAt(const QPoint &pos) const;
    // Scrolls the least that brings the row of token into view.
    void scrollToToken(qsizetype token);
    // An accessible interface for the area now exists: screen readers are told from here on.
    void startNotices() { m_notices.listen(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void connectHandlers();
    void log_makingRoom(qsizetype bytes, qsizetype breaks, bool &room);
    void log_grown();
    void log_cleared();
    void verticalScrollBar_valueChanged(int value);

    void measureItems();
    void restartLayout();
    void continueLayout();
    void scheduleRefresh();
    void refresh();
    void updateScrollBar();

    int visibleRows() const;
    qreal rowTop(int row) const;
    int rowAt(int y) const;
    struct RowStop
    {
        qsizetype token;
        qreal left;
        bool inside; // token is an item of the row, not its end
    };
    // The items of row from the left margin on: stop(token, byte, left) for each until it says
    // so, else the end of the row's items.
    template<class Stop> RowStop walkRow(int row, Stop stop) const;
    qsizetype tokenInRow(int row, qreal x) const;
    qreal xOfToken(qsizetype token) const;
    qsizetype rowItemsEnd(int row) const;
    void moveCursor(qsizetype token, bool keepAnchor);
    // The log's bytes, or null when it is gone.
    const uchar *data() const;

    FrameClock *m_frames;
    ReceiveText m_text;
    ReceiveGlyphs m_glyphs;
    ReceiveWrap m_wrap;
    QTimer m_layoutTimer;

    qsizetype m_anchor = 0;
    qsizetype m_cursor = 0;
    bool m_selecting = false;

    static constexpr int NothingDirty = std::numeric_limits<int>::max();
    int m_dirtyFromRow = NothingDirty; // the first row whose items changed since the last refresh
    bool m_follow = true;
    bool m_blurred = false; // the last refresh scrolled by more than a page
    bool m_adjustingScroll = false;
    std::optional<qsizetype> m_restoreTopToken; // the top row's first item, kept over a relayout
    ReceiveNotices m_notices;
};
