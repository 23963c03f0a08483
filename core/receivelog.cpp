// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/receivelog.h"

#include <algorithm>

namespace {

// Up to here the byte array grows by itself, copying a few kilobytes at most; past it the log
// jumps to a block big enough for the allocator to map on its own.
constexpr qsizetype SmallLog = qsizetype(1024) * 1024;
constexpr qsizetype LargeCapacity = qsizetype(64) * 1024 * 1024;

} // namespace

ReceiveLog::ReceiveLog(QObject *parent)
    : QObject(parent)
{ }

void ReceiveLog::append(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return;
    const qsizetype from = m_bytes.size();
    // A large log lives in a large block of address space: the allocator maps blocks this big on
    // their own and grows them by remapping pages, never by copying, and only pages written
    // become resident. Doubling from small all the way would copy the whole log at every step,
    // tens of milliseconds with the event loop stopped once the log holds tens of megabytes; a
    // short log (a few replies, a fuzz input) stays small and costs no mapping.
    const qsizetype needed = from + bytes.size();
    if (needed > SmallLog && m_bytes.capacity() < needed)
        m_bytes.reserve(std::max(2 * needed, LargeCapacity));
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
