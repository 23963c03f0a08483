// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serial/linesettings.h"
#include "serial/portnumber.h"
#include "serial/serialport.h"

#include <QTimer>

#include <optional>

// Lines and ring, which a pty cannot show: ports from 1 open, writes vanish, else as the real one.
class FakeSerialPort : public SerialPort
{
    Q_OBJECT
public:
    struct LineStates
    {
        bool cd = false, cts = false, dsr = false;
    };

    using SerialPort::SerialPort;
    void setCommPort(qint16 number) override
    {
        refuseIf(m_open, ErrorNumber::InvalidWhileOpen);
        m_number = number;
    }
    void setSettings(const QString &settings) override
    {
        LineSettings::parse(settings);
        m_settings = settings;
    }
    QString settings() const override { return m_settings; }
    void setPortOpen(bool open) override
    {
        refuseIf(open && m_open, ErrorNumber::PortAlreadyOpen);
        m_open = open && !PortNumber::devicePath(m_number, {}).isEmpty(); // refuses as the real one
    }
    bool portOpen() const override { return m_open; }
    void output(const QByteArray &) override { refuseIf(!m_open, ErrorNumber::PortNotOpen); }
    qint64 outBufferCount() const override { return 0; }
    QByteArray input() override { return refuseIf(!m_open, ErrorNumber::PortNotOpen), ""; }
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
    static void refuseIf(bool refused, int number)
    {
        if (refused)
            throw RunTimeError {number, QStringLiteral("refused")};
    }
    bool read(bool line) const { return refuseIf(m_failReads, ErrorNumber::DeviceIo), line; }

    bool m_failReads = false;
    QString m_settings;
    qint16 m_number = 0;
    bool m_open = false;
    qint16 m_event = 0;
    LineStates m_lines;
};
