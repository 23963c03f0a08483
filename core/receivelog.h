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

    // Keeps every byte of one receive event, however many; an empty read changes nothing.
    void append(QByteArrayView bytes);
    void addLineBreak();
    void clear();

    // True exactly when the area texts are empty: no byte and no break.
    bool isEmpty() const { return m_bytes.isEmpty() && m_lineBreaks.empty(); }
    qsizetype byteCount() const { return m_bytes.size(); }
    const QByteArray &bytes() const { return m_bytes; }
    const std::vector<qsizetype> &lineBreaks() const { return m_lineBreaks; }
    QString text(ReceiveFormatter::Kind kind) const;

Q_SIGNALS:
    void appended(qsizetype from);
    void lineBreakAdded();
    void cleared();

private:
    QByteArray m_bytes;
    std::vector<qsizetype> m_lineBreaks;
};
