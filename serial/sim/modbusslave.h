// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <array>

// A Modbus RTU slave (address 1) with 16 holding registers, answering functions 03 (read
// holding registers) and 06 (write single register). Frames end at a silence of 3.5 characters,
// so bytes are fed with the time they arrived; a finished frame's reply comes from feed() (when
// the next byte shows the gap) or poll() (when the silence has passed). Frames for another
// address, with a bad CRC or too short are dropped without a reply; a broadcast write is
// carried out without one.
class ModbusSlave
{
public:
    static constexpr quint8 Address = 1;
    static constexpr int RegisterCount = 16;

    explicit ModbusSlave(qint32 baudRate = 9600);

    QByteArray feed(const QByteArray &bytes, qint64 atMicroseconds);
    QByteArray poll(qint64 nowMicroseconds);
    // How long the line must stay quiet after the last byte before a frame counts as complete.
    qint64 frameGapMicroseconds() const { return m_gap; }

private:
    QByteArray answer(const QByteArray &frame);

    qint64 m_gap = 0;
    qint64 m_lastByteAt = 0;
    QByteArray m_frame;
    std::array<quint16, RegisterCount> m_registers {};
};
