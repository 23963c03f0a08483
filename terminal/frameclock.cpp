// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/frameclock.h"

#include <QCoreApplication>

#include <algorithm>

FrameClock::FrameClock(QObject *parent)
    : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_clock.start();
    connect(&m_timer, &QTimer::timeout, this, &FrameClock::tick);
}

FrameClock &FrameClock::shared()
{
    // Owned by the application, so that its timer goes before the event loop does.
    static QPointer<FrameClock> clock;
    if (!clock)
        clock = new FrameClock(QCoreApplication::instance());
    return *clock;
}

void FrameClock::schedule(QObject *client, int delayMs, std::function<void()> draw)
{
    cancel(client);
    m_frames.push_back({client, m_clock.elapsed() + std::max(0, delayMs), std::move(draw)});
    startTimer();
}

void FrameClock::cancel(const QObject *client)
{
    std::erase_if(m_frames, [client](const Frame &f) { return f.client == client; });
    if (m_frames.empty())
        m_timer.stop();
}

bool FrameClock::isScheduled(const QObject *client) const
{
    return std::any_of(
        m_frames.begin(), m_frames.end(), [client](const Frame &f) { return f.client == client; });
}

void FrameClock::startTimer()
{
    std::erase_if(m_frames, [](const Frame &f) { return f.client.isNull(); });
    if (m_frames.empty()) {
        m_timer.stop();
        return;
    }
    const auto first = std::min_element(m_frames.begin(), m_frames.end(),
        [](const Frame &a, const Frame &b) { return a.due < b.due; });
    m_timer.start(int(std::max<qint64>(0, first->due - m_clock.elapsed())));
}

void FrameClock::tick()
{
    // Everything due by the middle of the next frame draws now; a draw may schedule again.
    const qint64 until = m_clock.elapsed() + FrameMs / 2;
    std::vector<Frame> due;
    for (auto it = m_frames.begin(); it != m_frames.end();) {
        if (it->due <= until) {
            due.push_back(std::move(*it));
            it = m_frames.erase(it);
        } else {
            ++it;
        }
    }
    for (Frame &f : due) {
        if (f.client)
            f.draw();
    }
    startTimer();
}
