// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

#include <array>
#include <vector>

class ReceiveView;

// What screen readers and test tools see of a receive area: read-only multi-line text named by its
// label, whose character offsets, ranges, selection and caret are worked out from the receive log
// when asked, so a range near the end of a log of any size costs about as much as the range.
class ReceiveViewAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit ReceiveViewAccessible(ReceiveView *view);

    // Registers the interface for every ReceiveView; more calls change nothing.
    static void installFactory();
    // Tells listening tools what the area gained or lost since they were told last.
    static void announceChange(ReceiveView *view);
    // Tells them where the caret and the selection went.
    static void announceCaret(ReceiveView *view);

    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    void *interface_cast(QAccessible::InterfaceType t) override;

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
        int *startOffset, int *endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
        int *startOffset, int *endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
        int *endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

private:
    // The view's interface when accessibility is active, else null.
    static ReceiveViewAccessible *listenedTo(ReceiveView *view);
    ReceiveView *view() const;
    qsizetype blockChars(const uchar *data) const;
    qsizetype itemCharsBefore(qsizetype byte) const;
    qsizetype charOfToken(qsizetype token) const;
    // The token holding character offset, or the token count at the end.
    qsizetype tokenOfChar(qsizetype offset) const;
    qsizetype charCount() const;
    // Runs one of Qt's boundary searches on a window of text around offset.
    template<class Search>
    QString inWindow(int offset, int *startOffset, int *endOffset, Search search) const;

    // Characters of the items before byte k * BlockBytes, extended as the log grows and dropped
    // when the view's log was cleared.
    mutable std::vector<qsizetype> m_blockChars;
    mutable quint64 m_generation = 0;
    std::array<qsizetype, 256> m_itemChars {};
    std::vector<uchar> m_steps; // bytes where the item grows by one character
    bool m_monotonic = true;
    qsizetype m_announced = 0;
    quint64 m_announcedGeneration = 0;
};
