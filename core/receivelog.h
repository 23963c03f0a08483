// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/receiveformatter.h"

#include <QByteArray>
#include <QObject>

#include <vector>

// The one store behind the three receive areas: every received byte, one byte of memory each, and
// the positions of the line breaks (a break at p stands before byte p). The areas' texts are views
// of it through ReceiveFormatter; nothing is ever trimmed.
class ReceiveLog : public QObject
{
    Q_OBJECT
public:
    explicit ReceiveLog(QObject *parent = nullptr);

    // Keeps every byte of one receive event, however many; an empty read changes nothing. When
    // the log or one of its views cannot make room, nothing is added anywhere and it is false.
    bool append(QByteArrayView bytes);
    // False, with nothing added, when there is no room as for append.
    bool addLineBreak();
    void clear();

    // True exactly when the area texts are empty: no byte and no break.
    bool isEmpty() const { return m_bytes.isEmpty() && m_lineBreaks.empty(); }
    qsizetype byteCount() const { return m_bytes.size(); }
    const QByteArray &bytes() const { return m_bytes; }
    const std::vector<qsizetype> &lineBreaks() const { return m_lineBreaks; }
    // How often the log was cleared: what was worked out about it before is gone when this moves.
    quint64 clears() const { return m_clears; }
    QString text(ReceiveFormatter::Kind kind) const;

Q_SIGNALS:
    // Before the log grows by bytes and breaks, each view makes room in its own index for them,
    // catching its own failure, and sets room false when it cannot; connected directly.
    void makingRoom(qsizetype bytes, qsizetype breaks, bool &room);
    void appended(qsizetype from);
    void lineBreakAdded();
    void cleared();

private:
    bool makeRoom(qsizetype bytes, qsizetype breaks);
    // Grows m_bytes to hold needed bytes; throws std::bad_alloc when it cannot.
    void reserveBytes(qsizetype needed);

    QByteArray m_bytes;
    std::vector<qsizetype> m_lineBreaks;
    quint64 m_clears = 0;
};
