// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/quitsignals.h"

#include <QThread>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 3> Handled {SIGTERM, SIGHUP, SIGINT};

// A signal handler may only write to a descriptor, so the pipe's write end has to be reachable
// without an object.
volatile sig_atomic_t writeEnd = -1;

void onSignal(int)
{
    const int saved = errno;
    const char byte = 0;
    // A full pipe already holds a wake-up, so a failed write loses nothing.
    [[maybe_unused]] const ssize_t ignored = ::write(writeEnd, &byte, 1);
    errno = saved;
}

} // namespace

QuitSignals::QuitSignals(std::function<void()> quit)
    : m_quit(std::move(quit))
{
    if (::pipe2(m_pipe.data(), O_CLOEXEC | O_NONBLOCK) != 0)
        return; // the signals keep ending the program at once, as without this object
    m_notifier = std::make_unique<QSocketNotifier>(m_pipe[0], QSocketNotifier::Read);
    QObject::connect(
        m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] { readPipe(); });
    writeEnd = m_pipe[1];
    struct sigaction action
    {
    };
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < Handled.size(); ++i) {
        if (::sigaction(Handled[i], nullptr, &m_previous[i]) != 0
            || m_previous[i].sa_handler == SIG_IGN)
            continue;
        m_installed[i] = ::sigaction(Handled[i], &action, nullptr) == 0;
    }
}

QuitSignals::~QuitSignals()
{
    for (size_t i = 0; i < Handled.size(); ++i) {
        if (m_installed[i])
            ::sigaction(Handled[i], &m_previous[i], nullptr);
    }
    m_notifier.reset();
    if (m_pipe[0] < 0)
        return;
    writeEnd = -1;
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

void QuitSignals::readPipe()
{
    char bytes[16];
    while (::read(m_pipe[0], bytes, sizeof bytes) > 0) { }
    // Several signals before the loop came round end the program once.
    quitFromTheLoop();
}

#else
// Windows ends a console program by its own means; nothing is caught.
QuitSignals::QuitSignals(std::function<void()> quit)
    : m_quit(std::move(quit))
{ }

QuitSignals::~QuitSignals() = default;

void QuitSignals::readPipe() { }
#endif

void QuitSignals::quitFromTheLoop()
{
    // A window's first show may handle events before the event loop runs, and an exit asked for
    // then would be lost: ask again once the loop is there.
    if (QThread::currentThread()->loopLevel() == 0) {
        QTimer::singleShot(10, m_notifier.get(), [this] { quitFromTheLoop(); });
        return;
    }
    m_quit();
}
