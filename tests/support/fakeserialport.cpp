// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/fakeserialport.h"

#include "serial/linesettings.h"
#include "settings/big5codec.h"

#include <QHash>
#include <QMetaObject>

namespace {

QHash<qint16, const FakeSerialPort *> &openPorts()
{
    static QHash<qint16, const FakeSerialPort *> ports;
    return ports;
}

} // namespace

FakeSerialPort::~FakeSerialPort()
{
    if (m_open)
        openPorts().remove(m_commPort);
}

void FakeSerialPort::setCommPort(qint16 number)
{
    if (m_open)
        throw RunTimeError {ErrorNumber::InvalidWhileOpen, QStringLiteral("port is open")};
    if (number < 1)
        throw RunTimeError {ErrorNumber::InvalidPortNumber, QStringLiteral("invalid port number")};
    m_commPort = number;
}

void FakeSerialPort::setSettings(const QString &settings)
{
    LineSettings::parse(settings);
    m_settings = settings;
}

void FakeSerialPort::setPortOpen(bool open)
{
    if (!open) {
        if (m_open)
            openPorts().remove(m_commPort);
        m_open = false;
        m_pending.clear();
        m_receivePending = false;
        m_input.clear();
        return;
    }
    if (m_open || openPorts().contains(m_commPort))
        throw RunTimeError {ErrorNumber::PortAlreadyOpen, QStringLiteral("port already open")};
    m_open = true;
    openPorts().insert(m_commPort, this);
}

void FakeSerialPort::requireOpen() const
{
    if (!m_open)
        throw RunTimeError {ErrorNumber::PortNotOpen, QStringLiteral("port is not open")};
}

void FakeSerialPort::output(const QString &text)
{
    output(Big5Codec::encode(text));
}

void FakeSerialPort::output(const QByteArray &bytes)
{
    requireOpen();
    m_written.append(bytes);
}

QByteArray FakeSerialPort::input()
{
    requireOpen();
    return std::exchange(m_input, {});
}

void FakeSerialPort::raiseEvent(qint16 code, std::optional<LineStates> lines)
{
    m_pending.enqueue({code, lines});
    QMetaObject::invokeMethod(this, &FakeSerialPort::deliver, Qt::QueuedConnection);
}

void FakeSerialPort::feedInput(const QByteArray &bytes)
{
    if (!m_open)
        return; // nobody listens on a closed port
    m_input.append(bytes);
    if (m_receivePending)
        return;
    m_receivePending = true;
    raiseEvent(EvReceive);
}

void FakeSerialPort::deliver()
{
    if (m_pending.isEmpty())
        return;
    const Pending next = m_pending.dequeue();
    if (!m_open)
        return;
    if (next.code == EvReceive) {
        m_receivePending = false;
        if (m_input.isEmpty())
            return;
    }
    if (next.lines)
        m_lines = *next.lines;
    m_event = next.code;
    emit OnComm();
}

void FakeSerialPort::loseConnection()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!m_open)
                return;
            setPortOpen(false);
            emit ConnectionLost();
        },
        Qt::QueuedConnection);
}
