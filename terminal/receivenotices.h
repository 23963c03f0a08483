// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>

#include <functional>

class QAccessibleEvent;
class QWidget;
class ReceiveText;

// What screen readers are told about one receive area, only while accessibility is active: the
// text it gained, a few times a second rather than per byte; the text it lost at a clear; where
// its caret and selection went. Listening starts when the area's interface is made, or with the
// first notice if none was: what the area held before is not news.
class ReceiveNotices
{
public:
    // Where notices go: empty, to the platform's screen reader while one is active.
    using Sink = std::function<void(QAccessibleEvent *)>;

    ReceiveNotices(QWidget *area, const ReceiveText &text, Sink sink = {});

    void listen();
    // Data arrived; they are told within a quarter of a second, with whatever follows by then.
    void grown();
    // The log was cleared: the text told so far is gone.
    void cleared();
    // The caret is at token cursor and tokens from..to are selected (none when from == to).
    void caretMoved(qsizetype cursor, qsizetype from, qsizetype to);

private:
    void tellGrowth();
    bool listening() const;
    void tell(QAccessibleEvent *event) const;

    QWidget *m_area;
    const ReceiveText &m_text;
    Sink m_sink;
    QTimer m_timer;
    qsizetype m_told = -1; // characters told so far, or -1 before anyone listened
};
