// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/terminalsession.h"

#include "core/runtimeerror.h"
#include "serial/portsettings.h"
#include "terminal/sendencoding.h"

#include <new>
#include <utility>

TerminalSession::TerminalSession(std::unique_ptr<SerialPort> port, QObject *parent)
    : QObject(parent)
    , m_comm1(std::move(port))
    , m_timerSend(new QTimer(this))
{
    m_timerSend->setObjectName(QStringLiteral("timerSend"));
    // Continuous sending promises its interval to the millisecond.
    m_timerSend->setTimerType(Qt::PreciseTimer);
    m_timerSend->setSingleShot(true);
    connect(m_timerSend, &QTimer::timeout, this, &TerminalSession::timerSend_Timer);
    connect(m_comm1.get(), &SerialPort::OnComm, this, &TerminalSession::Comm1_OnComm);
    connect(
        m_comm1.get(), &SerialPort::ConnectionLost, this, &TerminalSession::Comm1_ConnectionLost);
}

void TerminalSession::open(const PortSettings &settings)
{
    m_comm1->setCommPort(settings.port);
    m_comm1->setSettings(settings.text);
    m_comm1->setPortOpen(true);
}

void TerminalSession::close()
{
    m_comm1->setPortOpen(false);
    stopContinuous();
}

void TerminalSession::reopen(const PortSettings &settings)
{
    m_comm1->setPortOpen(false);
    open(settings);
}

template<class Encode> std::optional<int> TerminalSession::send(Encode encode, bool clearOnSend)
{
    catchUp();
    try {
        m_comm1->output(encode());
    } catch (const RunTimeError &e) {
        return e.number;
    }
    if (clearOnSend)
        m_log.clear();
    ReceiveEnter();
    return std::nullopt;
}

std::optional<int> TerminalSession::sendAscii(
    const QString &text, const QString &lineEnd, bool clearOnSend)
{
    return send([&] { return SendEncoding::ascii(text, lineEnd); }, clearOnSend);
}

std::optional<int> TerminalSession::sendDecimal(const QString &text, bool clearOnSend)
{
    return send([&] { return SendEncoding::decimal(text); }, clearOnSend);
}

std::optional<int> TerminalSession::sendHexadecimal(const QString &text, bool clearOnSend)
{
    return send([&] { return SendEncoding::hexadecimal(text); }, clearOnSend);
}

void TerminalSession::ReceiveEnter()
{
    // An empty log is exactly an empty hexadecimal area.
    if (!m_receiveEntered && !m_log.isEmpty() && !m_log.addLineBreak())
        stopReceiving();
    m_receiveEntered = true;
}

void TerminalSession::startContinuous(int interval, std::function<Tick()> next)
{
    m_next = std::move(next);
    m_timerSend->start(interval);
}

void TerminalSession::stopContinuous()
{
    m_timerSend->stop();
}

void TerminalSession::timerSend_Timer()
{
    if (!m_next)
        return;
    const Tick tick = m_next();
    catchUp();
    // A tick clears before it sends, so a failing tick still leaves the areas cleared.
    if (tick.clearOnSend)
        m_log.clear();
    std::optional<int> error;
    try {
        m_comm1->output(SendEncoding::hexadecimal(tick.line));
    } catch (const RunTimeError &e) {
        error = e.number;
    }
    if (error) {
        Q_EMIT continuousFailed(*error);
        return;
    }
    ReceiveEnter();
    m_timerSend->start(tick.interval);
}

void TerminalSession::Comm1_OnComm()
{
    try {
        switch (m_comm1->commEvent()) {
        case SerialPort::EvCD:
            tellLine(SerialPort::EvCD, &SerialPort::cdHolding);
            break;
        case SerialPort::EvCTS:
            tellLine(SerialPort::EvCTS, &SerialPort::ctsHolding);
            break;
        case SerialPort::EvDSR:
            tellLine(SerialPort::EvDSR, &SerialPort::dsrHolding);
            break;
        case SerialPort::EvRing:
            Q_EMIT lineChanged(SerialPort::EvRing, false);
            break;
        case SerialPort::EvReceive:
            Comm1_Receive();
            break;
        default:
            break;
        }
    } catch (const RunTimeError &e) {
        Q_EMIT eventFailed(e.number);
    }
}

void TerminalSession::catchUp()
{
    if (m_comm1->portOpen())
        Comm1_Receive();
}

void TerminalSession::Comm1_Receive()
{
    // A whole event is kept, however large: dropping it would lose data. When memory runs out
    // the log keeps all it has and the port is closed, so the device is not ignored unnoticed.
    QByteArray bytes;
    try {
        bytes = m_comm1->input();
    } catch (const std::bad_alloc &) {
        stopReceiving();
        return;
    }
    if (bytes.isEmpty())
        return;
    m_receiveEntered = false;
    if (!m_log.append(bytes))
        stopReceiving();
}

void TerminalSession::stopReceiving()
{
    close();
    Q_EMIT outOfMemory(m_log.byteCount());
}

void TerminalSession::tellLine(qint16 event, bool (SerialPort::*holding)() const)
{
    bool on = false;
    try {
        on = (m_comm1.get()->*holding)();
    } catch (const RunTimeError &e) {
        // Told once for a run of failed reads, not at every change of a line that cannot be read.
        if (!std::exchange(m_lineReadFailing, true))
            Q_EMIT eventFailed(e.number);
        return;
    }
    m_lineReadFailing = false;
    Q_EMIT lineChanged(event, on);
}

void TerminalSession::Comm1_ConnectionLost(const PortFailure &why)
{
    stopContinuous();
    Q_EMIT connectionLost(why);
}
