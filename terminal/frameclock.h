// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <vector>

// One clock for every receive area's frames. Areas whose next frame falls due within half a
// frame of each other draw together, so the window repaints and reaches the screen once per
// frame rather than once per area; with nothing due the clock does not run.
class FrameClock : public QObject
{
public:
    // Frames come at most this often; areas due within half of it draw in the same frame.
    static constexpr int FrameMs = 40;

    static FrameClock &shared();

    // Runs draw once, delayMs from now or with an earlier frame that falls close to it. A
    // client has at most one frame waiting; it is dropped when the client goes.
    void schedule(QObject *client, int delayMs, std::function<void()> draw);
    void cancel(const QObject *client);
    bool isScheduled(const QObject *client) const;

private:
    explicit FrameClock(QObject *parent);
    void tick();
    void startTimer();

    struct Frame
    {
        QPointer<QObject> client;
        qint64 due;
        std::function<void()> draw;
    };
    std::vector<Frame> m_frames;
    QTimer m_timer;
    QElapsedTimer m_clock;
};
