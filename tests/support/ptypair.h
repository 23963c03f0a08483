// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <algorithm>
#include <fcntl.h>
#include <limits>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

// A pty: the program opens slavePath(), the test plays the device; reads keep the loop running.
class PtyPair
{
public:
    PtyPair()
        : m_master(::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
        if (m_master >= 0 && ::grantpt(m_master) == 0 && ::unlockpt(m_master) == 0)
            m_slavePath = QString::fromLocal8Bit(::ptsname(m_master));
        else
            closeMaster();
    }
    ~PtyPair() { closeMaster(); }
    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    QString slavePath() const { return m_slavePath; }
    int masterFd() const { return m_master; } // for benches that play the device without a loop

    // What the device sends to the program.
    void write(const QByteArray &bytes)
    {
        qsizetype done = 0;
        while (m_master >= 0 && done < bytes.size()) {
            const ssize_t n
                = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
            if (n > 0)
                done += n;
            else
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
    }
    // What the program sent: waits until count bytes came or the time is up.
    QByteArray read(qsizetype count, int timeoutMs = 5000)
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
    // Everything that arrives within the given time.
    QByteArray readFor(int milliseconds)
    {
        return read(std::numeric_limits<qsizetype>::max(), milliseconds);
    }
    // The device goes away, as when a USB adapter is pulled.
    void closeMaster()
    {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

private:
    int m_master = -1;
    QString m_slavePath;
};
