// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serial/serialport.h"

#include <QQueue>

#include <optional>

// A SerialPort for what a pseudo-terminal cannot show: input lines and ring.
// It keeps the contract of the real port: errors by number, events only from the event loop and
// only while open, a port number held by another open FakeSerialPort fails with 8005.
class FakeSerialPort : public SerialPort
{
    Q_OBJECT
public:
    struct LineStates
    {
        bool cd = false;
        bool cts = false;
        bool dsr = false;
    };

    using SerialPort::SerialPort;
    ~FakeSerialPort() override;

    void setCommPort(qint16 number) override;
    qint16 commPort() const override { return m_commPort; }
    void setSettings(const QString &settings) override;
    QString settings() const override { return m_settings; }

    void setPortOpen(bool open) override;
    bool portOpen() const override { return m_open; }

    void output(const QString &text) override;
    void output(const QByteArray &bytes) override;
    QByteArray input() override;

    qint16 commEvent() const override { return m_event; }
    bool cdHolding() const override { return m_lines.cd; }
    bool ctsHolding() const override { return m_lines.cts; }
    bool dsrHolding() const override { return m_lines.dsr; }

    // Queues one event; the line states, if given, take effect when it is raised.
    void raiseEvent(qint16 code, std::optional<LineStates> lines = std::nullopt);
    void setLineStates(LineStates lines) { m_lines = lines; }
    // The device sends bytes: they wait for input() and a receive event is queued.
    void feedInput(const QByteArray &bytes);
    // The device goes away: from the event loop, the port closes and ConnectionLost is raised.
    void loseConnection();

    // Every byte written, in order.
    const QByteArray &written() const { return m_written; }

private:
    struct Pending
    {
        qint16 code;
        std::optional<LineStates> lines;
    };
    void deliver();
    void requireOpen() const;

    qint16 m_commPort = 1;
    QString m_settings = QStringLiteral("9600,n,8,1");
    bool m_open = false;
    qint16 m_event = 0;
    LineStates m_lines;
    QQueue<Pending> m_pending;
    bool m_receivePending = false;
    QByteArray m_input;
    QByteArray m_written;
};
