// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSocketNotifier>

#include <array>
#include <csignal>
#include <functional>
#include <memory>

// Turns SIGTERM, SIGHUP and SIGINT into one call of quit from the event loop, so that a kill, a
// closed terminal or Ctrl+C ends a program the way its own exit does and every destructor runs
// (a port gives up its lock file and its exclusive use, a simulator its link). A signal the program
// was started with ignored (nohup) stays ignored. One object at a time; its destruction brings back
// the previous handling.
class QuitSignals
{
public:
    explicit QuitSignals(std::function<void()> quit);
    ~QuitSignals();
    QuitSignals(const QuitSignals &) = delete;
    QuitSignals &operator=(const QuitSignals &) = delete;

private:
    void readPipe();
    void quitFromTheLoop();

    std::function<void()> m_quit;
    std::array<int, 2> m_pipe {-1, -1};
    std::unique_ptr<QSocketNotifier> m_notifier;
#ifdef Q_OS_UNIX
    std::array<struct sigaction, 3> m_previous {};
    std::array<bool, 3> m_installed {};
#endif
};
