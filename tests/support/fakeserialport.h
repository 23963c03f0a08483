// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serial/serialport.h"

#include <QTimer>

#include <optional>

// For what a pty cannot show, lines and ring: any number opens, writes vanish, events as real ones.
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
    void setCommPort(qint16) override { }
    void setSettings(const QString &settings) override { m_settings = settings; }
    QString settings() const override { return m_settings; }
    void setPortOpen(bool open) override { m_open = open; }
    bool portOpen() const override { return m_open; }
    void output(const QByteArray &) override { }
    qint64 outBufferCount() const override { return 0; }
    QByteArray input() override { return {}; }
    qint16 commEvent() const override { return m_event; }
    bool cdHolding() const override { return read(m_lines.cd); }
    bool ctsHolding() const override { return read(m_lines.cts); }
    bool dsrHolding() const override { return read(m_lines.dsr); }

    void setLineStates(LineStates lines) { m_lines = lines; }
    // From now on a line read fails, as a device that stops answering does.
    void failLineReads(bool fail) { m_failReads = fail; }
    // Queues one event; the line states, if given, take effect when it is raised.
    void raiseEvent(qint16 code, std::optional<LineStates> lines = std::nullopt)
    {
        QTimer::singleShot(0, this, [=, this] {
            if (!m_open)
                return;
            m_lines = lines.value_or(m_lines);
            m_event = code;
            emit OnComm();
        });
    }

private:
    bool read(bool line) const
    {
        if (m_failReads)
            throw RunTimeError {ErrorNumber::DeviceIo, QStringLiteral("lines not read")};
        return line;
    }

    bool m_failReads = false;
    QString m_settings;
    bool m_open = false;
    qint16 m_event = 0;
    LineStates m_lines;
};
