// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/receivelog.h"
#include "serial/serialport.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

struct PortSettings;

// The terminal's session: the one serial port Comm1, the log of what it received and the rules of
// opening, sending, receiving and continuous sending. It shows nothing; it reports by signals and
// by the error number a step returns or throws, and its window picks the words.
class TerminalSession : public QObject
{
    Q_OBJECT
public:
    // What one tick of continuous sending sends, read afresh at every tick.
    struct Tick
    {
        QString line; // the hexadecimal send line
        int interval = 1000; // milliseconds to the next tick
        bool clearOnSend = false;
    };

    explicit TerminalSession(std::unique_ptr<SerialPort> port, QObject *parent = nullptr);

    SerialPort &Comm1() const { return *m_comm1; }
    ReceiveLog &log() { return m_log; }
    const ReceiveLog &log() const { return m_log; }
    bool isOpen() const { return m_comm1->portOpen(); }

    // Throws RunTimeError when the port cannot be opened; the port stays closed then.
    void open(const PortSettings &settings);
    // Closing also ends continuous sending.
    void close();
    // Closes the port and opens it again with settings; continuous sending goes on.
    void reopen(const PortSettings &settings);

    // Each send returns the error number that kept its bytes off the wire, or nothing. Only a
    // send that went out clears the log (when asked) and ends the log's current line.
    std::optional<int> sendAscii(const QString &text, const QString &lineEnd, bool clearOnSend);
    std::optional<int> sendDecimal(const QString &text, bool clearOnSend);
    std::optional<int> sendHexadecimal(const QString &text, bool clearOnSend);

    // Continuous sending of the hexadecimal line: the first tick comes an interval after the
    // start, and each tick asks next() for what to send and how long to wait after.
    void startContinuous(int interval, std::function<Tick()> next);
    void stopContinuous();

    void clearLog() { m_log.clear(); }
    // Takes into the log what the port has received but not yet told: before a frame is drawn,
    // so a stream shows all it has, and before a send, so what came earlier stays before it.
    void catchUp();

Q_SIGNALS:
    // An input line's event: on tells whether CD, CTS or DSR is now on; a ring carries no state.
    void lineChanged(qint16 event, bool on);
    // A port event could not be handled; its error number.
    void eventFailed(int number);
    // A continuous send's tick failed with this number; sending has already stopped.
    void continuousFailed(int number);
    // The device went away; the port is closed and sending has stopped.
    void connectionLost(const PortFailure &why);
    // The log could not grow: it keeps the bytes it holds, kept of them, and the port is closed.
    void outOfMemory(qsizetype kept);

private:
    void Comm1_OnComm();
    void Comm1_ConnectionLost(const PortFailure &why);
    void timerSend_Timer();
    // The encoding and the output are one step: a line that cannot be encoded sends nothing.
    template<class Encode> std::optional<int> send(Encode encode, bool clearOnSend);
    // An answer to each send starts a line of its own.
    void ReceiveEnter();
    void Comm1_Receive();
    void stopReceiving();
    // Reads the line an event is about; a read that fails leaves the lamp as it was.
    void tellLine(qint16 event, bool (SerialPort::*holding)() const);

    std::unique_ptr<SerialPort> m_comm1;
    ReceiveLog m_log;
    bool m_receiveEntered = false;
    bool m_lineReadFailing = false;
    QTimer *m_timerSend = nullptr;
    std::function<Tick()> m_next;
};
