// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/sim/modbusslave.h"

#include "core/crc16.h"

#include <utility>

namespace {

constexpr quint8 ReadHoldingRegisters = 0x03;
constexpr quint8 WriteSingleRegister = 0x06;
constexpr quint8 IllegalFunction = 0x01;
constexpr quint8 IllegalDataAddress = 0x02;
constexpr quint8 IllegalDataValue = 0x03;
constexpr int MaxReadCount = 125;

quint16 word(const QByteArray &frame, int at)
{
    return quint16((quint8(frame.at(at)) << 8) | quint8(frame.at(at + 1)));
}

void appendWord(QByteArray &out, quint16 value)
{
    out.append(char(value >> 8));
    out.append(char(value & 0xFF));
}

QByteArray withCrc(QByteArray pdu)
{
    const quint16 crc = Crc16::modbus(pdu);
    pdu.append(char(crc & 0xFF));
    pdu.append(char(crc >> 8));
    return pdu;
}

QByteArray exception(quint8 function, quint8 code)
{
    QByteArray out;
    out.append(char(ModbusSlave::Address));
    out.append(char(function | 0x80));
    out.append(char(code));
    return withCrc(out);
}

} // namespace

ModbusSlave::ModbusSlave(qint32 baudRate)
{
    // 11 bits per character (start, 8 data, parity or second stop, stop). Above 19200 baud the
    // line rules fix the gap at 1.75 ms instead of letting it shrink further. A rate that is not
    // positive has no character time; such a slave times frames as at 9600 baud.
    if (baudRate <= 0)
        baudRate = 9600;
    m_gap = baudRate > 19200 ? 1750 : (35 * 11 * 1000000LL) / (10LL * baudRate);
}

QByteArray ModbusSlave::feed(const QByteArray &bytes, qint64 atMicroseconds)
{
    if (bytes.isEmpty())
        return {};
    QByteArray reply = poll(atMicroseconds);
    m_frame.append(bytes);
    m_lastByteAt = atMicroseconds;
    return reply;
}

QByteArray ModbusSlave::poll(qint64 nowMicroseconds)
{
    if (m_frame.isEmpty() || nowMicroseconds - m_lastByteAt < m_gap)
        return {};
    const QByteArray frame = std::exchange(m_frame, {});
    return answer(frame);
}

QByteArray ModbusSlave::answer(const QByteArray &frame)
{
    if (frame.size() < 4)
        return {};
    const QByteArray body = frame.first(frame.size() - 2);
    const quint16 crc = quint16(quint8(frame.at(frame.size() - 2)) | (quint8(frame.back()) << 8));
    if (Crc16::modbus(body) != crc)
        return {};
    const quint8 address = quint8(body.at(0));
    const bool broadcast = address == 0;
    if (address != Address && !broadcast)
        return {};

    const quint8 function = quint8(body.at(1));
    if (function == ReadHoldingRegisters) {
        if (broadcast)
            return {};
        if (body.size() != 6)
            return exception(function, IllegalDataValue);
        const int start = word(body, 2);
        const int count = word(body, 4);
        if (count < 1 || count > MaxReadCount)
            return exception(function, IllegalDataValue);
        if (start + count > RegisterCount)
            return exception(function, IllegalDataAddress);
        QByteArray out;
        out.append(char(Address));
        out.append(char(function));
        out.append(char(count * 2));
        for (int i = start; i < start + count; ++i)
            appendWord(out, m_registers.at(size_t(i)));
        return withCrc(out);
    }
    if (function == WriteSingleRegister) {
        if (body.size() != 6)
            return broadcast ? QByteArray() : exception(function, IllegalDataValue);
        const int at = word(body, 2);
        if (at >= RegisterCount)
            return broadcast ? QByteArray() : exception(function, IllegalDataAddress);
        m_registers.at(size_t(at)) = word(body, 4);
        return broadcast ? QByteArray() : frame;
    }
    return broadcast ? QByteArray() : exception(function, IllegalFunction);
}
