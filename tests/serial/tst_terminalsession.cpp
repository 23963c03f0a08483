// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/terminalsession.h"

#include "serial/portsettings.h"
#include "serial/qserialportadapter.h"
#include "tests/support/ptypair.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

// The session's rules over a pty whose master end plays the device.
class tst_TerminalSession : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PtyPair> m_pty;
    std::unique_ptr<TerminalSession> m_session;

    QString ports() const { return m_dir->filePath(u"ports"_qs); }
    // The log as text: its bytes, a "|" at each line break.
    QString logText() const
    {
        QByteArray text = m_session->log().bytes();
        const std::vector<qsizetype> &breaks = m_session->log().lineBreaks();
        for (auto at = breaks.crbegin(); at != breaks.crend(); ++at) // the last first
            text.insert(*at, '|');
        return QString::fromLatin1(text);
    }
    // Continuous sending runs while its timer, found by its name, does.
    bool sending() const { return m_session->findChild<QTimer *>(u"timerSend"_qs)->isActive(); }
    void received(const QByteArray &bytes)
    {
        const qsizetype total = m_session->log().byteCount() + bytes.size();
        m_pty->write(bytes);
        QTRY_COMPARE(m_session->log().byteCount(), total);
    }

private Q_SLOTS:
    void init()
    {
        m_session.reset(); // the last test's, before the pty it holds
        m_dir = std::make_unique<QTemporaryDir>();
        QDir(m_dir->path()).mkdir(u"ports"_qs);
        m_pty = std::make_unique<PtyPair>();
        QVERIFY(QFile::link(m_pty->slavePath(), ports() + u"/com1"_qs));
        m_session
            = std::make_unique<TerminalSession>(std::make_unique<QSerialPortAdapter>(ports()));
        m_session->open(PortSettings::parse(u"1"_qs, u"9600,n,8,1"_qs));
    }

    void receiveRules_data()
    {
        // rX: X arrives, wX: while reading rests; s a send, S clearing, E refused, t tick, c clear
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("log");
        const auto row = [](const char *name, const char *steps, const char *log) {
            QTest::newRow(name) << QString::fromLatin1(steps) << QString::fromLatin1(log);
        };
        row("an answer starts a line", "rA s rB", "A|B");
        row("events with no send between: one line", "rA rB s rC rD", "AB|CD");
        row("sends with no answer between: one break", "rA s s s rB", "A|B");
        row("a send before any byte: no break", "s rA", "A");
        row("a send after a clear: no break", "rA c s rB", "B");
        row("a clearing send", "rA S rB", "B");
        row("a refused send: no clear, no break", "rA E rB", "AB");
        row("what came before a send stays before its break", "rA wB s rC", "AB|C");
        row("what came before a tick stays before its break", "rA wB t rC", "AB|C");
    }
    void receiveRules()
    {
        QFETCH(QString, steps);
        for (const QString &step : steps.split(u' ')) {
            if (step.startsWith(u'r'))
                received(step.mid(1).toLatin1());
            else if (step.startsWith(u'w'))
                m_pty->write(step.mid(1).toLatin1());
            else if (step == u"E")
                QCOMPARE(m_session->sendDecimal(u"1,256"_qs, true), ErrorNumber::DataError);
            else if (step == u"c")
                m_session->clearLog();
            else if (step == u"t") {
                bool ticked = false;
                m_session->startContinuous(0, [&] {
                    ticked = true;
                    return TerminalSession::Tick {u"01"_qs, 60000, false};
                });
                QTRY_VERIFY(ticked);
                m_session->stopContinuous();
            } else
                QCOMPARE(m_session->sendHexadecimal(u"01"_qs, step == u"S"), std::nullopt);
        }
        QTEST(logText(), "log");
    }

    // A device that takes nothing: ticks queue to the limit, one refused; what was taken arrives.
    void backPressure()
    {
        const QString line = QStringList(8 * 1024, u"5A"_qs).join(u',');
        int sent = 0;
        QSignalSpy failed(m_session.get(), &TerminalSession::continuousFailed);
        m_session->startContinuous(0, [&] {
            ++sent;
            return TerminalSession::Tick {line, 0, false};
        });
        QTRY_COMPARE(failed.size(), 1);
        QCOMPARE(failed.at(0).at(0).toInt(), ErrorNumber::OutputFull);
        QVERIFY(!sending());
        QVERIFY(m_session->Comm1().outBufferCount() > 0);
        const QByteArray expected(8 * 1024 * (sent - 1), 'Z'); // all but the failing tick
        QVERIFY(m_pty->read(expected.size(), 20000) == expected); // too long to print
        QCOMPARE(m_pty->readFor(50), QByteArray());
        QCOMPARE(m_session->Comm1().outBufferCount(), 0);
    }

    // Each tick asks afresh for its line and interval; the first comes an interval after the start.
    void continuousTicks()
    {
        QStringList lines {u"01"_qs, u"02"_qs, u"03"_qs};
        m_session->startContinuous(100, [&] {
            return TerminalSession::Tick {lines.takeFirst(), lines.isEmpty() ? 100000 : 1, false};
        });
        QCOMPARE(m_pty->readFor(60), QByteArray());
        QCOMPARE(m_pty->read(3, 2000), QByteArray("\x01\x02\x03"));
        QVERIFY(sending());
        m_session->close();
        QVERIFY(!sending());
    }

    // The device goes: one signal, the port closed, sending stopped, every byte received kept.
    void unplug()
    {
        QSignalSpy lost(m_session.get(), &TerminalSession::connectionLost);
        received("kept");
        m_session->startContinuous(1000, [] { return TerminalSession::Tick {u"01"_qs, 1000}; });
        m_pty->closeMaster();
        QTRY_COMPARE(lost.size(), 1);
        QVERIFY(!m_session->isOpen());
        QVERIFY(!sending());
        QCOMPARE(logText(), u"kept"_qs);
        QCOMPARE(m_session->sendHexadecimal(u"01"_qs, false), ErrorNumber::PortNotOpen);
    }
};

QTEST_GUILESS_MAIN(tst_TerminalSession)
#include "tst_terminalsession.moc"
