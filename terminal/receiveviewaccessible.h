// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

class ReceiveText;
class ReceiveView;

// What screen readers and UI automation see of a receive area: read-only multi-line text named by
// its label, whose character offsets, ranges, selection and caret come from the area's ReceiveText.
// Counts and offsets are those of the whole text, but one text request returns at most
// MaxTextChars characters from its start (an end of -1 means the end of the text, as AT-SPI asks
// for all): a reader reading on asks again from where the answer stopped, and an area of hundreds
// of megabytes is never built whole, nor sent whole over the accessibility bus. Word, line and
// sentence requests look at a few thousand characters around their offset. The area posts its own
// change notices, from the moment this interface is made; the interface only answers.
class ReceiveViewAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    static constexpr int MaxTextChars = 64 * 1024;

    explicit ReceiveViewAccessible(ReceiveView *view);

    // Registers the interface for every ReceiveView; more calls change nothing.
    static void installFactory();

    QAccessible::Role role() const override;
    QAccessible::State state() const override;
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
    ReceiveView *view() const;
    const ReceiveText &receiveText() const;
    // Runs one of Qt's boundary searches on a window of text around offset.
    template<class Search>
    QString inWindow(int offset, int *startOffset, int *endOffset, Search search) const;
};
