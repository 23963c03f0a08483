// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serial/linesettings.h"
#include "serial/serialport.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QSerialPort>
#include <QSocketNotifier>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

// SerialPort over QSerialPort. The device is found through PortNumber::devicePath in the ports
// folder the adapter was given, checked against the UUCP locks in its lock folder, and opened by
// its resolved path, so QSerialPort's lock file names the device whatever link led to it. The
// input lines are polled while open, since QSerialPort reports no line changes; a device that
// cannot report them (a pseudo-terminal) simply raises no line events. A device that goes away
// while open closes the port once and raises ConnectionLost once.
// While a stream lasts, reading rests after each read until input() is called or ReadRestMs
// pass, so a steady stream wakes the program once a frame rather than at every arrival (its
// owner calls input() before it draws); a device that sends faster than that is read on at once.
// input() takes what has arrived during a rest as well.
// Output is written by the adapter itself: a device that takes bytes slower than they come only
// keeps them queued (in order, written as it takes them); the queue is bounded: a send that would
// take the bytes waiting past outputLimit() is refused without touching what is queued, while a
// send into an empty queue is always taken, so that any line can be sent at all. Closing the port
// with bytes waiting drops them and says how many on standard error.
class QSerialPortAdapter : public SerialPort
{
    Q_OBJECT
public:
    using LineReader = std::function<std::optional<InputLines>()>;

    explicit QSerialPortAdapter(const QString &portsFolder,
        const QString &lockFolder = QStringLiteral("/run/lock"), QObject *parent = nullptr);
    ~QSerialPortAdapter() override;

    void setCommPort(qint16 number) override;
    void setSettings(const QString &settings) override;
    QString settings() const override { return m_settings; }

    void setPortOpen(bool open) override;
    bool portOpen() const override { return m_port.isOpen(); }

    void output(const QByteArray &bytes) override;
    QByteArray input() override;
    qint64 outBufferCount() const override { return m_outBytes; }

    qint16 commEvent() const override { return m_event; }
    // Each reads the line now; a failed read throws 57.
    bool cdHolding() const override { return line(&InputLines::cd); }
    bool ctsHolding() const override { return line(&InputLines::cts); }
    bool dsrHolding() const override { return line(&InputLines::dsr); }

    static constexpr int LinePollMilliseconds = 50;
    // No longer than a frame of a window in the background.
    static constexpr int ReadRestMs = 160;
    // Reads the input lines in place of the device, for a device that has none (a pty whose far
    // end plays a modem); an empty answer is a failed read, and one at open a device that cannot
    // report its lines. Set before the port opens.
    void setLineReader(LineReader reader) { m_lineReader = std::move(reader); }
    // 1 MB, or what the line carries in 10 s at the current speed when that is more.
    qsizetype outputLimit() const;

private:
    void open();
    void openDevice(const QString &path);
    void close();
    void applySettings(const LineSettings &line);
    void raiseEvent(qint16 code);
    void dataArrived();
    void restReading(qint64 arrived);
    bool unreadWaiting() const;
    void resumeReading();
    void takeArrived();
    void pollLines();
    void portError(QSerialPort::SerialPortError error);
    void loseConnection();
    void writeQueued();
    bool line(bool InputLines::*state) const;
    // The lines now, or nothing when they could not be read.
    std::optional<InputLines> readLines() const;
    void requireOpen() const;

    // A child, so that it follows the adapter to another thread and is found under it.
    mutable QSerialPort m_port {this};
    QTimer m_lineTimer;
    qint16 m_commPort = 1;
    QString m_portsFolder;
    QString m_lockFolder;
    LineReader m_lineReader;
    QString m_device; // the device the open port reached
    QString m_settings = QStringLiteral("9600,n,8,1");
    LineSettings m_line; // m_settings, read once
    bool m_isPty = false;

    qint16 m_event = 0;
    bool m_takingArrived = false;
    QTimer m_readRest;
    QElapsedTimer m_sinceRead;
    QPointer<QSocketNotifier> m_restingReader; // QSerialPort's own, off while the reading rests

    InputLines m_lines; // as the last poll read them
    bool m_linesReadable = false;
    mutable bool m_edgesReadable = false;

    QList<QByteArray> m_outQueue;
    qsizetype m_outHead = 0; // bytes of the first queued array already written
    qsizetype m_outBytes = 0;
    std::unique_ptr<QSocketNotifier> m_writable;

    int m_readErrors = 0;
    QElapsedTimer m_readErrorWindow;
    bool m_losing = false;
};
