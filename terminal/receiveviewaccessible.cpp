// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/receiveviewaccessible.h"

#include "terminal/receiveview.h"

#include <algorithm>
#include <limits>

namespace {

constexpr qsizetype BlockBytes = 4096;
// Characters around an offset that a word, line or sentence search may look at.
constexpr int SearchWindow = 4096;
// The most characters one change notice carries. A burst or a clear of megabytes is told by its
// last part, or by a blank stand-in of this length: a screen reader speaks no more than that, and a
// 100 MB area would otherwise be copied whole into every notice.
constexpr qsizetype NoticeChars = qsizetype(1) << 20;

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
    for (int b = 0; b < 256; ++b) {
        m_itemChars[size_t(b)] = ReceiveFormatter::item(view->kind(), uchar(b)).size() + 1;
        if (b > 0) {
            for (qsizetype k = m_itemChars[size_t(b) - 1]; k < m_itemChars[size_t(b)]; ++k)
                m_steps.push_back(uchar(b));
            m_monotonic &= m_itemChars[size_t(b)] >= m_itemChars[size_t(b) - 1];
        }
    }
    m_generation = m_announcedGeneration = view->m_generation;
    m_announced = charCount();
}

void ReceiveViewAccessible::installFactory()
{
    QAccessible::installFactory(factory);
}

ReceiveViewAccessible *ReceiveViewAccessible::listenedTo(ReceiveView *view)
{
    // Nobody listens unless accessibility is active; asking would build interfaces for nothing.
    if (!QAccessible::isActive())
        return nullptr;
    return dynamic_cast<ReceiveViewAccessible *>(QAccessible::queryAccessibleInterface(view));
}

void ReceiveViewAccessible::announceChange(ReceiveView *view)
{
    ReceiveViewAccessible *self = listenedTo(view);
    if (!self)
        return;
    if (self->m_announcedGeneration != view->m_generation) {
        // The removed text is gone from the log; its length is what listeners need.
        if (self->m_announced > 0) {
            QAccessibleTextRemoveEvent removed(view, 0,
                QString(clampToInt(std::min(self->m_announced, NoticeChars)), QLatin1Char(' ')));
            QAccessible::updateAccessibility(&removed);
        }
        self->m_announced = 0;
        self->m_announcedGeneration = view->m_generation;
    }
    const qsizetype count = self->charCount();
    if (count <= self->m_announced)
        return;
    const qsizetype from = std::max(self->m_announced, count - NoticeChars);
    QAccessibleTextInsertEvent inserted(
        view, clampToInt(from), self->text(clampToInt(from), clampToInt(count)));
    QAccessible::updateAccessibility(&inserted);
    self->m_announced = count;
}

void ReceiveViewAccessible::announceCaret(ReceiveView *view)
{
    ReceiveViewAccessible *self = listenedTo(view);
    if (!self)
        return;
    QAccessibleTextCursorEvent caret(view, self->cursorPosition());
    QAccessible::updateAccessibility(&caret);
    int from = 0;
    int to = 0;
    self->selection(0, &from, &to);
    QAccessibleTextSelectionEvent selection(view, from, to);
    selection.setCursorPosition(caret.cursorPosition());
    QAccessible::updateAccessibility(&selection);
}

ReceiveView *ReceiveViewAccessible::view() const
{
    return static_cast<ReceiveView *>(widget());
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

QString ReceiveViewAccessible::text(QAccessible::Text t) const
{
    QString str = QAccessibleWidget::text(t);
    if (t == QAccessible::Name && str.isEmpty()) {
        // The area is known by the label above it.
        for (const auto &[label, relation] : relations(QAccessible::Label))
            str = label->text(QAccessible::Name);
    }
    return str;
}

void *ReceiveViewAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(t);
}

qsizetype ReceiveViewAccessible::itemCharsBefore(qsizetype byte) const
{
    const ReceiveView *v = view();
    if (m_generation != v->m_generation) {
        m_blockChars.clear();
        m_generation = v->m_generation;
    }
    const auto *data = reinterpret_cast<const uchar *>(v->m_log->bytes().constData());
    if (m_blockChars.empty())
        m_blockChars.push_back(0);
    const qsizetype block = byte / BlockBytes;
    while (qsizetype(m_blockChars.size()) <= block) {
        const uchar *first = data + (qsizetype(m_blockChars.size()) - 1) * BlockBytes;
        m_blockChars.push_back(m_blockChars.back() + blockChars(first));
    }
    qsizetype chars = m_blockChars[size_t(block)];
    for (qsizetype b = block * BlockBytes; b < byte; ++b)
        chars += m_itemChars[data[b]];
    return chars;
}

qsizetype ReceiveViewAccessible::blockChars(const uchar *data) const
{
    if (!m_monotonic) {
        qsizetype chars = 0;
        for (qsizetype b = 0; b < BlockBytes; ++b)
            chars += m_itemChars[data[b]];
        return chars;
    }
    // Items only grow with the byte (one digit, two, three), so a block holds its bytes times the
    // longest item, less one character for every byte below each step in length. Counting
    // compares is what the compiler turns into vector code: a 100 MB log in a few milliseconds.
    qsizetype chars = BlockBytes * m_itemChars[255];
    for (const uchar step : m_steps) {
        int below = 0;
        for (qsizetype b = 0; b < BlockBytes; ++b)
            below += data[b] < step;
        chars -= below;
    }
    return chars;
}

qsizetype ReceiveViewAccessible::charOfToken(qsizetype token) const
{
    // A line break is two characters, CR LF.
    const qsizetype breaks = view()->breaksBefore(token);
    return itemCharsBefore(token - breaks) + 2 * breaks;
}

qsizetype ReceiveViewAccessible::charCount() const
{
    return view()->m_log ? charOfToken(view()->tokenCount()) : 0;
}

qsizetype ReceiveViewAccessible::tokenOfChar(qsizetype offset) const
{
    qsizetype low = 0;
    qsizetype high = view()->tokenCount();
    // The last token starting at or before offset.
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (charOfToken(mid) <= offset)
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

QString ReceiveViewAccessible::text(int startOffset, int endOffset) const
{
    const ReceiveView *v = view();
    const qsizetype count = charCount();
    const qsizetype from = std::clamp<qsizetype>(startOffset, 0, count);
    const qsizetype to = std::clamp<qsizetype>(endOffset, from, count);
    if (from == to)
        return {};
    const qsizetype first = tokenOfChar(from);
    const qsizetype end = std::min(tokenOfChar(to - 1) + 1, v->tokenCount());
    const ReceiveView::Part part = v->part(first, end);
    return ReceiveFormatter::text(v->kind(), part.bytes, part.breaks)
        .mid(from - charOfToken(first), to - from);
}

int ReceiveViewAccessible::characterCount() const
{
    return clampToInt(charCount());
}

void ReceiveViewAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    const ReceiveView *v = view();
    if (selectionIndex != 0 || !v->hasSelectedText())
        return;
    *startOffset = clampToInt(charOfToken(std::min(v->m_anchor, v->m_cursor)));
    *endOffset = clampToInt(charOfToken(std::max(v->m_anchor, v->m_cursor)));
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
    ReceiveView *v = view();
    if (selectionIndex != 0 || !v->m_log)
        return;
    // The area selects whole items: the selection grows to the items the offsets fall in.
    const qsizetype from = tokenOfChar(std::max(0, startOffset));
    qsizetype to = tokenOfChar(std::max(startOffset, endOffset));
    if (to < v->tokenCount() && charOfToken(to) < endOffset)
        ++to;
    v->moveCursor(from, false);
    v->moveCursor(to, true);
}

int ReceiveViewAccessible::cursorPosition() const
{
    return view()->m_log ? clampToInt(charOfToken(view()->m_cursor)) : 0;
}

void ReceiveViewAccessible::setCursorPosition(int position)
{
    if (view()->m_log)
        view()->moveCursor(tokenOfChar(std::max(0, position)), false);
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
    if (!v->m_log || offset < 0 || offset >= characterCount())
        return {};
    const qsizetype token = tokenOfChar(offset);
    const qsizetype breaks = v->breaksBefore(token + 1);
    // Characters of a line break have no place of their own on screen.
    if (breaks > v->breaksBefore(token))
        return {};
    const QRectF item = v->itemRect(token - breaks);
    if (item.isEmpty())
        return {};
    const QPoint topLeft = v->viewport()->mapToGlobal(item.topLeft().toPoint());
    return QRect(topLeft, item.size().toSize());
}

int ReceiveViewAccessible::offsetAtPoint(const QPoint &point) const
{
    const ReceiveView *v = view();
    const QPoint local = v->viewport()->mapFromGlobal(point);
    if (!v->m_log || !v->viewport()->rect().contains(local))
        return -1;
    return clampToInt(charOfToken(v->tokenAt(local)));
}

void ReceiveViewAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    ReceiveView *v = view();
    if (!v->m_log)
        return;
    const qsizetype keepAnchor = v->m_anchor;
    const qsizetype keepCursor = v->m_cursor;
    v->m_cursor = tokenOfChar(std::max(startIndex, endIndex));
    v->ensureCursorVisible();
    v->m_cursor = tokenOfChar(std::max(0, startIndex));
    v->ensureCursorVisible();
    v->m_anchor = keepAnchor;
    v->m_cursor = keepCursor;
    v->viewport()->update();
}

QString ReceiveViewAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = offset;
    return {};
}
