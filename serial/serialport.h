// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/runtimeerror.h"
#include "serial/inputlines.h"

#include <QByteArray>
#include <QObject>
#include <QString>

// The serial port as the terminal uses it. Port number and settings are set while closed and
// used by the next open. Every failing operation throws RunTimeError: 8005 when the port is held
// by another program, 8002 when the port number is not a usable port, other numbers for the rest.
// OnComm is raised once per event, only from the event loop, never from inside a call; CommEvent
// tells why. After ConnectionLost the port has already closed itself; it names the device and the
// bytes that were still waiting to be sent.
class SerialPort : public QObject
{
    Q_OBJECT
public:
    enum Event : qint16 {
        EvSend = 1,
        EvReceive = 2,
        EvCTS = InputLines::EvCTS,
        EvDSR = InputLines::EvDSR,
        EvCD = InputLines::EvCD,
        EvRing = InputLines::EvRing,
    };

    using QObject::QObject;
    ~SerialPort() override = default;

    virtual void setCommPort(qint16 number) = 0;
    virtual void setSettings(const QString &settings) = 0;
    virtual QString settings() const = 0;

    virtual void setPortOpen(bool open) = 0;
    virtual bool portOpen() const = 0;

    // The bytes go out unchanged, queued in order; a send that would queue too much behind bytes
    // still waiting is refused whole with 8011.
    virtual void output(const QByteArray &bytes) = 0;
    // Bytes sent but not yet taken by the device.
    virtual qint64 outBufferCount() const = 0;
    // Every byte waiting, in arrival order, taken out of the buffer.
    virtual QByteArray input() = 0;

    virtual qint16 commEvent() const = 0;
    virtual bool cdHolding() const = 0;
    virtual bool ctsHolding() const = 0;
    virtual bool dsrHolding() const = 0;

Q_SIGNALS:
    void OnComm();
    void ConnectionLost(const PortFailure &why);
};
