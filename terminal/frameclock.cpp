// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/frameclock.h"

#include <algorithm>

FrameClock::FrameClock(QObject *parent, std::function<void()> beforeFrame)
    : QObject(parent)
    , m_beforeFrame(std::move(beforeFrame))
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &FrameClock::tick);
}

void FrameClock::schedule(QObject *client, int intervalMs, std::function<void()> draw)
{
    cancel(client);
    m_waiting.push_back({client, intervalMs, std::move(draw)});
    startTimer();
}

void FrameClock::cancel(const QObject *client)
{
    std::erase_if(m_waiting, [client](const Waiting &w) { return w.client == client; });
    if (m_waiting.empty())
        m_timer.stop();
}

bool FrameClock::isScheduled(const QObject *client) const
{
    return std::any_of(m_waiting.begin(), m_waiting.end(),
        [client](const Waiting &w) { return w.client == client; });
}

void FrameClock::startTimer()
{
    std::erase_if(m_waiting, [](const Waiting &w) { return w.client.isNull(); });
    if (m_waiting.empty()) {
        m_timer.stop();
        return;
    }
    const int interval = std::min_element(
        m_waiting.begin(), m_waiting.end(), [](const Waiting &a, const Waiting &b) {
            return a.intervalMs < b.intervalMs;
        })->intervalMs;
    const qint64 since = m_sinceFrame.isValid() ? m_sinceFrame.elapsed() : interval;
    m_timer.start(int(std::max<qint64>(0, interval - since)));
}

void FrameClock::tick()
{
    m_sinceFrame.start();
    if (m_beforeFrame)
        m_beforeFrame();
    // A draw may ask for the next frame.
    for (Waiting &w : std::exchange(m_waiting, {})) {
        if (w.client)
            w.draw();
    }
    startTimer();
}
