// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/receiveviewaccessible.h"

#include "core/receivetext.h"
#include "terminal/receiveview.h"

#include <algorithm>
#include <limits>

namespace {

// Characters around an offset that a word, line or sentence search may look at.
constexpr int SearchWindow = 4096;

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (className == QLatin1String("ReceiveView") && object && object->isWidgetType())
        return new ReceiveViewAccessible(static_cast<ReceiveView *>(object));
    return nullptr;
}

// A piece of the area text, for Qt's own word, sentence and line boundary rules.
class TextWindow : public QAccessibleTextInterface
{
public:
    explicit TextWindow(QString text)
        : m_text(std::move(text))
    { }
    void selection(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override { }
    void removeSelection(int) override { }
    void setSelection(int, int, int) override { }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override { }
    QString text(int startOffset, int endOffset) const override
    {
        return m_text.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(m_text.size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override { }
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
        return {};
    }

private:
    QString m_text;
};

int clampToInt(qsizetype value)
{
    return int(std::min<qsizetype>(value, std::numeric_limits<int>::max()));
}

} // namespace

ReceiveViewAccessible::ReceiveViewAccessible(ReceiveView *view)
    : QAccessibleWidget(view, QAccessible::EditableText)
{
    view->startNotices();
}

void ReceiveViewAccessible::installFactory()
{
    QAccessible::installFactory(factory);
}

ReceiveView *ReceiveViewAccessible::view() const
{
    return static_cast<ReceiveView *>(widget());
}

const ReceiveText &ReceiveViewAccessible::receiveText() const
{
    return view()->receiveText();
}

QAccessible::Role ReceiveViewAccessible::role() const
{
    return QAccessible::EditableText;
}

QAccessible::State ReceiveViewAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    s.multiLine = true;
    s.selectableText = true;
    return s;
}

void *ReceiveViewAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(t);
}

QString ReceiveViewAccessible::text(int startOffset, int endOffset) const
{
    // Only the characters returned are formatted, so the answer costs the same for any log.
    const ReceiveText &t = receiveText();
    const qsizetype from = std::max(0, startOffset);
    const qsizetype to = endOffset < 0 ? t.charCount() : endOffset;
    return t.chars(from, std::min(to, from + MaxTextChars));
}

int ReceiveViewAccessible::characterCount() const
{
    return clampToInt(receiveText().charCount());
}

void ReceiveViewAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    const ReceiveView *v = view();
    if (selectionIndex != 0 || !v->hasSelectedText())
        return;
    *startOffset = clampToInt(receiveText().charOfToken(v->selectionStart()));
    *endOffset = clampToInt(receiveText().charOfToken(v->selectionEnd()));
}

int ReceiveViewAccessible::selectionCount() const
{
    return view()->hasSelectedText() ? 1 : 0;
}

void ReceiveViewAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void ReceiveViewAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        view()->clearSelection();
}

void ReceiveViewAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    const ReceiveText &t = receiveText();
    if (selectionIndex != 0 || !t.log())
        return;
    // The area selects whole items: the selection grows to the items the offsets fall in.
    const qsizetype from = t.tokenOfChar(std::max(0, startOffset));
    qsizetype to = t.tokenOfChar(std::max(startOffset, endOffset));
    if (to < t.tokenCount() && t.charOfToken(to) < endOffset)
        ++to;
    view()->setSelection(from, to);
}

int ReceiveViewAccessible::cursorPosition() const
{
    return clampToInt(receiveText().charOfToken(view()->cursorPosition()));
}

void ReceiveViewAccessible::setCursorPosition(int position)
{
    if (receiveText().log())
        view()->setCursorPosition(receiveText().tokenOfChar(std::max(0, position)));
}

template<class Search>
QString ReceiveViewAccessible::inWindow(
    int offset, int *startOffset, int *endOffset, Search search) const
{
    const int count = characterCount();
    const int from = std::max(0, std::min(offset, count) - SearchWindow);
    const int to = int(std::min<qint64>(qint64(offset) + SearchWindow, count));
    const TextWindow window(text(from, to));
    const QString found = search(window, offset - from, startOffset, endOffset);
    if (*startOffset >= 0) {
        *startOffset += from;
        *endOffset += from;
    }
    return found;
}

QString ReceiveViewAccessible::textBeforeOffset(
    int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset, int *endOffset) const
{
    return inWindow(offset, startOffset, endOffset,
        [boundaryType](const TextWindow &w, int at, int *start, int *end) {
            return w.QAccessibleTextInterface::textBeforeOffset(at, boundaryType, start, end);
        });
}

QString ReceiveViewAccessible::textAfterOffset(
    int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset, int *endOffset) const
{
    return inWindow(offset, startOffset, endOffset,
        [boundaryType](const TextWindow &w, int at, int *start, int *end) {
            return w.QAccessibleTextInterface::textAfterOffset(at, boundaryType, start, end);
        });
}

QString ReceiveViewAccessible::textAtOffset(
    int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset, int *endOffset) const
{
    return inWindow(offset, startOffset, endOffset,
        [boundaryType](const TextWindow &w, int at, int *start, int *end) {
            return w.QAccessibleTextInterface::textAtOffset(at, boundaryType, start, end);
        });
}

QRect ReceiveViewAccessible::characterRect(int offset) const
{
    const ReceiveView *v = view();
    const ReceiveText &t = receiveText();
    if (!t.log() || offset < 0 || offset >= characterCount())
        return {};
    const qsizetype token = t.tokenOfChar(offset);
    // Characters of a line break have no place of their own on screen.
    if (t.isBreak(token))
        return {};
    const QRectF item = v->itemRect(t.byteOfToken(token));
    if (item.isEmpty())
        return {};
    const QPoint topLeft = v->viewport()->mapToGlobal(item.topLeft().toPoint());
    return QRect(topLeft, item.size().toSize());
}

int ReceiveViewAccessible::offsetAtPoint(const QPoint &point) const
{
    const ReceiveView *v = view();
    const QPoint local = v->viewport()->mapFromGlobal(point);
    if (!receiveText().log() || !v->viewport()->rect().contains(local))
        return -1;
    return clampToInt(receiveText().charOfToken(v->tokenAt(local)));
}

void ReceiveViewAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    ReceiveView *v = view();
    const ReceiveText &t = receiveText();
    if (!t.log())
        return;
    v->scrollToToken(t.tokenOfChar(std::max(startIndex, endIndex)));
    v->scrollToToken(t.tokenOfChar(std::max(0, startIndex)));
}

QString ReceiveViewAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = offset;
    return {};
}
