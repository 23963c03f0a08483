// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/receivelog.h"

#include <algorithm>
#include <new>

namespace {

// Up to here the byte array grows by itself, copying a few kilobytes at most; past it the log
// jumps to a block big enough for the allocator to map on its own.
constexpr qsizetype SmallLog = qsizetype(1024) * 1024;
constexpr qsizetype LargeCapacity = qsizetype(64) * 1024 * 1024;

} // namespace

ReceiveLog::ReceiveLog(QObject *parent)
    : QObject(parent)
{ }

bool ReceiveLog::append(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return true;
    if (!makeRoom(bytes.size(), 0))
        return false;
    const qsizetype from = m_bytes.size();
    m_bytes.append(bytes);
    emit appended(from);
    return true;
}

bool ReceiveLog::addLineBreak()
{
    if (!makeRoom(0, 1))
        return false;
    m_lineBreaks.push_back(m_bytes.size());
    emit lineBreakAdded();
    return true;
}

bool ReceiveLog::makeRoom(qsizetype bytes, qsizetype breaks)
{
    // Everything that can fail is done here, before anything is added, so the log and its views
    // always show the same bytes: appending into room already made allocates nothing.
    try {
        reserveBytes(m_bytes.size() + bytes);
        const std::size_t breaksNeeded = m_lineBreaks.size() + std::size_t(breaks);
        if (m_lineBreaks.capacity() < breaksNeeded)
            m_lineBreaks.reserve(std::max(2 * m_lineBreaks.capacity(), breaksNeeded));
    } catch (const std::bad_alloc &) {
        return false;
    }
    bool room = true;
    emit makingRoom(bytes, breaks, room);
    return room;
}

void ReceiveLog::reserveBytes(qsizetype needed)
{
    if (m_bytes.capacity() >= needed)
        return;
    if (needed <= SmallLog) {
        m_bytes.reserve(std::max(needed, 2 * m_bytes.capacity()));
        return;
    }
    // A large log lives in a large block of address space: the allocator maps blocks this big on
    // their own and grows them by remapping pages, never by copying, and only pages written
    // become resident. Doubling from small all the way would copy the whole log at every step,
    // tens of milliseconds with the event loop stopped once the log holds tens of megabytes; a
    // short log (a few replies) stays small and costs no mapping. When the address
    // space is short, a block just big enough still takes what arrived.
    try {
        m_bytes.reserve(std::max(2 * needed, LargeCapacity));
    } catch (const std::bad_alloc &) {
        m_bytes.reserve(needed + SmallLog);
    }
}

void ReceiveLog::clear()
{
    // Give the memory back: a cleared log after a long stream must not keep tens of megabytes.
    m_bytes = QByteArray();
    m_lineBreaks = {};
    ++m_clears;
    emit cleared();
}

QString ReceiveLog::text(ReceiveFormatter::Kind kind) const
{
    return ReceiveFormatter::text(kind, m_bytes, m_lineBreaks);
}
