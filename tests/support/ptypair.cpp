// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/ptypair.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <algorithm>
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

QByteArray PtyPair::read(qsizetype count, int timeoutMs)
{
    QByteArray out;
    const QDeadlineTimer deadline(timeoutMs);
    while (m_master >= 0 && out.size() < count && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        pollfd p {m_master, POLLIN, 0};
        char buffer[4096];
        const ssize_t n = ::poll(&p, 1, 5) > 0 ? ::read(m_master, buffer, sizeof buffer) : 0;
        out.append(buffer, std::max<ssize_t>(n, 0));
    }
    return out;
}

void PtyPair::closeMaster()
{
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}
