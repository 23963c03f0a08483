// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <limits>

// A pseudo-terminal for tests: the program opens slavePath() as its port, the test plays the
// device on the master end. Reads keep the event loop running so the port's queued writes and
// events happen while the test waits.
class PtyPair
{
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    bool isValid() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }

    // What the device sends to the program.
    void write(const QByteArray &bytes);
    // What the program sent: waits until count bytes came or the time is up.
    QByteArray read(qsizetype count, int timeoutMs = 5000);
    // Everything that arrives within the given time.
    QByteArray readFor(int milliseconds)
    {
        return read(std::numeric_limits<qsizetype>::max(), milliseconds);
    }
    // The device goes away, as when a USB adapter is pulled.
    void closeMaster();

    // The master end itself, for programs that play the device without a running event loop.
    int masterFd() const { return m_master; }

private:
    int m_master = -1;
    QString m_slavePath;
};
