// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/receiveformatter.h"
#include "core/receivelog.h"

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QPointer>
#include <QRawFont>
#include <QTimer>

#include <array>
#include <memory>
#include <vector>

// One receive area: a read-only, wrapping, selectable view of a ReceiveLog through one formatter.
// It never owns the data and its cost per update does not grow with the log: it keeps one start
// position per visual row, extends the wrap as bytes arrive, and paints only the visible rows.
//
// Positions used for the selection count tokens of the area text: every byte's item (with its
// blank) is one token, every line break is one token, in text order.
class ReceiveView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    ReceiveView(ReceiveLog *log, ReceiveFormatter::Kind kind, QWidget *parent = nullptr);

    static inline const QString CopyCaption = QStringLiteral("複製(&C)");
    static inline const QString SelectAllCaption = QStringLiteral("全選(&A)");
    static inline const QString CopyByteListCaption = QStringLiteral("複製為16進制字串");
    static inline const QString CopyTooLarge = QStringLiteral("選取範圍太大，無法複製");

    ReceiveFormatter::Kind kind() const { return m_kind; }
    // Exactly the area text.
    QString text() const;

    bool hasSelectedText() const { return m_anchor != m_cursor; }
    // The selected part of the area text: whole items with their blanks, and CR LF for breaks.
    QString selectedText() const;
    // The selection, or the whole area when nothing is selected, as a hexadecimal byte list that
    // the send line and the calculator take as typed.
    QString selectedByteList() const;
    void selectAll();
    void clearSelection();
    // Puts the selected text on the clipboard, built a few megabytes at a time with the window
    // answering in between (a long copy shows its progress and can be cancelled). When the
    // memory for it cannot be had, a message box says so and the clipboard is left as it was.
    void copy();

    // Layout as shown, for tests: rows laid out so far, the part of the area text on one row
    // (with its CR LF when the row ends a line), and where a byte's item is drawn in the viewport.
    int visualRowCount() const { return int(m_rows.size()); }
    QString visualRowText(int row) const;
    QRectF itemRect(qsizetype byteIndex) const;
    bool isLayoutComplete() const;
    // Whether new data scroll the view to the end (the user has not scrolled away from it).
    bool isFollowingEnd() const { return m_follow; }

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
    friend class ReceiveViewAccessible;

    // The first token of every visual row, in fixed blocks: growing never moves what is already
    // stored, so a long stream never pauses to copy megabytes of row starts.
    class RowStarts
    {
    public:
        RowStarts() { reset(); }
        qsizetype size() const { return m_size; }
        qsizetype operator[](qsizetype row) const { return m_blocks[row >> Shift][row & Mask]; }
        void append(qsizetype token);
        // Back to the one row every area has, the memory given back.
        void reset();
        // The first row whose start is after token.
        qsizetype upperBound(qsizetype token) const;

    private:
        static constexpr int Shift = 16;
        static constexpr qsizetype Mask = (qsizetype(1) << Shift) - 1;
        std::vector<std::unique_ptr<qsizetype[]>> m_blocks;
        qsizetype m_size = 0;
    };

    struct Part
    {
        QByteArrayView bytes;
        std::vector<qsizetype> breaks; // relative to the first byte
    };
    // The bytes and breaks of the tokens from..to.
    Part part(qsizetype from, qsizetype to) const;

    void connectHandlers();
    void log_appended();
    void log_lineBreakAdded();
    void log_cleared();
    void verticalScrollBar_valueChanged(int value);

    void measureItems();
    void prepareGlyphs();
    // Items firstByte..endByte from the top left at, each at the advance the wrap gave it.
    void drawGlyphs(
        QPainter &painter, const uchar *data, qsizetype firstByte, qsizetype endByte, QPointF at);
    void restartLayout();
    bool layoutSome(qsizetype budget);
    void continueLayout();
    void scheduleRefresh();
    void refresh();
    void updateScrollBar();

    qsizetype tokenCount() const;
    qsizetype laidOutTokens() const { return m_pos + qsizetype(m_breaksLaidOut); }
    qsizetype breaksBefore(qsizetype token) const;
    qsizetype byteOfToken(qsizetype token) const { return token - breaksBefore(token); }
    qsizetype rowEnd(int row) const;
    int rowOfToken(qsizetype token) const;
    int visibleRows() const;
    qreal rowTop(int row) const;
    int rowAt(int y) const;
    qsizetype tokenAt(const QPoint &pos) const;
    qsizetype tokenInRow(int row, qreal x) const;
    qreal xOfToken(qsizetype token) const;
    qsizetype rowItemsEnd(int row) const;
    void moveCursor(qsizetype token, bool keepAnchor);
    void ensureCursorVisible();
    void setScrollValue(int value);

    ReceiveLog *logOrNull() const { return m_log.data(); }

    QPointer<ReceiveLog> m_log;
    ReceiveFormatter::Kind m_kind;

    // Per-item metrics for the 256 possible bytes in the current font.
    QFont m_drawFont;
    std::array<qreal, 256> m_itemWidth {};
    std::array<qreal, 256> m_itemAdvance {};
    struct ItemGlyphs
    {
        std::vector<int> font; // into m_rawFonts
        std::vector<quint32> index;
        std::vector<QPointF> offset; // from the item's top left
    };
    std::array<ItemGlyphs, 256> m_glyphs;
    std::vector<QRawFont> m_rawFonts;
    // One row's glyphs per font, kept between rows so painting allocates nothing.
    std::vector<std::vector<quint32>> m_runIndexes;
    std::vector<std::vector<QPointF>> m_runPositions;
    qreal m_blankWidth = 0;
    qreal m_lineHeight = 1;

    // Wrap state: where each visual row starts, and how far the log has been laid out.
    RowStarts m_rows;
    qreal m_layoutWidth = 0;
    qsizetype m_pos = 0;
    std::size_t m_breaksLaidOut = 0;
    qreal m_x = 0;
    QTimer m_layoutTimer;

    qsizetype m_anchor = 0;
    qsizetype m_cursor = 0;
    bool m_selecting = false;

    int m_dirtyFromRow = -1; // the first row whose items changed since the last refresh
    bool m_follow = true;
    bool m_adjustingScroll = false;
    qsizetype m_restoreTopToken = -1;
    QTimer m_refreshTimer;
    QElapsedTimer m_sinceRefresh;
    // Counts clears, so offsets worked out before one are not used after it.
    quint64 m_generation = 0;
    // New data are told to screen readers a few times a second, not per byte.
    QTimer m_announceTimer;
};
