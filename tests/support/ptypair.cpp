// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/ptypair.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

PtyPair::PtyPair()
{
    const int fd = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return;
    if (::grantpt(fd) != 0 || ::unlockpt(fd) != 0) {
        ::close(fd);
        return;
    }
    m_master = fd;
    m_slavePath = QString::fromLocal8Bit(::ptsname(fd));
}

PtyPair::~PtyPair()
{
    closeMaster();
}

void PtyPair::write(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (m_master >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0)
            done += n;
        else
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

void PtyPair::readWaiting(QByteArray &into, int waitMs)
{
    QCoreApplication::processEvents(QEventLoop::AllEvents, waitMs);
    pollfd p {m_master, POLLIN, 0};
    if (::poll(&p, 1, waitMs) <= 0 || !(p.revents & POLLIN))
        return;
    char buffer[4096];
    const ssize_t n = ::read(m_master, buffer, sizeof buffer);
    if (n > 0)
        into.append(buffer, n);
}

QByteArray PtyPair::read(qsizetype count, int timeoutMs)
{
    QByteArray out;
    const QDeadlineTimer deadline(timeoutMs);
    while (m_master >= 0 && out.size() < count && !deadline.hasExpired())
        readWaiting(out, 5);
    return out;
}

QByteArray PtyPair::readFor(int milliseconds)
{
    QByteArray out;
    const QDeadlineTimer deadline(milliseconds);
    while (m_master >= 0 && !deadline.hasExpired())
        readWaiting(out, 5);
    return out;
}

void PtyPair::closeMaster()
{
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}
