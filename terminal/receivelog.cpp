// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/receivelog.h"

ReceiveLog::ReceiveLog(QObject *parent)
    : QObject(parent)
{ }

void ReceiveLog::append(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return;
    const qsizetype from = m_bytes.size();
    m_bytes.append(bytes);
    emit appended(from);
}

void ReceiveLog::addLineBreak()
{
    m_lineBreaks.push_back(m_bytes.size());
    emit lineBreakAdded();
}

void ReceiveLog::clear()
{
    // Give the memory back: a cleared log after a long stream must not keep tens of megabytes.
    m_bytes = QByteArray();
    m_lineBreaks = {};
    emit cleared();
}

QString ReceiveLog::text(ReceiveFormatter::Kind kind) const
{
    return ReceiveFormatter::text(kind, m_bytes, m_lineBreaks);
}
