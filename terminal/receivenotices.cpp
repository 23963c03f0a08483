// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/receivenotices.h"

#include "core/receivetext.h"

#include <QAccessible>
#include <QWidget>

#include <algorithm>
#include <limits>

namespace {

constexpr int IntervalMs = 250;
// The most characters one notice carries. A burst or a clear of megabytes is told by its last
// part, or by a blank stand-in of this length: a screen reader speaks no more than that, and a
// 100 MB area would otherwise be copied whole into every notice.
constexpr qsizetype NoticeChars = qsizetype(1) << 20;

int clampToInt(qsizetype value)
{
    return int(std::min<qsizetype>(value, std::numeric_limits<int>::max()));
}

} // namespace

ReceiveNotices::ReceiveNotices(QWidget *area, const ReceiveText &text, Sink sink)
    : m_area(area)
    , m_text(text)
    , m_sink(std::move(sink))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(IntervalMs);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { tellGrowth(); });
}

bool ReceiveNotices::listening() const
{
    return m_sink || QAccessible::isActive();
}

void ReceiveNotices::tell(QAccessibleEvent *event) const
{
    m_sink ? m_sink(event) : QAccessible::updateAccessibility(event);
}

void ReceiveNotices::listen()
{
    if (m_told < 0)
        m_told = m_text.charCount();
}

void ReceiveNotices::grown()
{
    if (listening() && !m_timer.isActive())
        m_timer.start();
}

void ReceiveNotices::cleared()
{
    m_timer.stop();
    if (!listening()) {
        m_told = std::min<qsizetype>(m_told, 0);
        return;
    }
    // The removed text is gone from the log; its length is what listeners need.
    if (m_told > 0) {
        QAccessibleTextRemoveEvent removed(
            m_area, 0, QString(clampToInt(std::min(m_told, NoticeChars)), QLatin1Char(' ')));
        tell(&removed);
    }
    m_told = 0;
}

void ReceiveNotices::tellGrowth()
{
    if (!listening())
        return;
    listen();
    const qsizetype count = m_text.charCount();
    if (count <= m_told)
        return;
    const qsizetype from = std::max(m_told, count - NoticeChars);
    QAccessibleTextInsertEvent inserted(
        m_area, clampToInt(from), m_text.chars(clampToInt(from), clampToInt(count)));
    tell(&inserted);
    m_told = count;
}

void ReceiveNotices::caretMoved(qsizetype cursor, qsizetype from, qsizetype to)
{
    if (!listening())
        return;
    listen();
    QAccessibleTextCursorEvent caret(m_area, clampToInt(m_text.charOfToken(cursor)));
    tell(&caret);
    const bool selected = from != to;
    QAccessibleTextSelectionEvent selection(m_area,
        selected ? clampToInt(m_text.charOfToken(from)) : 0,
        selected ? clampToInt(m_text.charOfToken(to)) : 0);
    selection.setCursorPosition(caret.cursorPosition());
    tell(&selection);
}
