// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <vector>

// One clock for the frames of a window's receive areas. A frame draws every area that has
// something new, so the window repaints and reaches the screen once per frame rather than once
// per area. Frames
// come no closer than the shortest interval any waiting area asks for; with nothing waiting the
// clock does not run.
class FrameClock : public QObject
{
public:
    static constexpr int FrameMs = 40; // the shortest interval: 25 frames a second

    // beforeFrame runs at each frame before anything is drawn: fresh data may ask for that frame.
    explicit FrameClock(QObject *parent = nullptr, std::function<void()> beforeFrame = {});

    // client draws with the next frame, intervalMs or more after the last one. A client has at
    // most one draw waiting; it is dropped when the client goes.
    void schedule(QObject *client, int intervalMs, std::function<void()> draw);
    void cancel(const QObject *client);
    bool isScheduled(const QObject *client) const;

private:
    void tick();
    void startTimer();

    struct Waiting
    {
        QPointer<QObject> client;
        int intervalMs;
        std::function<void()> draw;
    };
    std::vector<Waiting> m_waiting;
    std::function<void()> m_beforeFrame;
    QTimer m_timer;
    QElapsedTimer m_sinceFrame; // invalid before the first frame
};
