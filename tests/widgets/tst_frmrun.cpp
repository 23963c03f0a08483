// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmvedira.h"
#include "app/uitexts.h"
#include "serial/qserialportadapter.h"
#include "settings/module1.h"
#include "terminal/frmrun.h"
#include "terminal/lampshape.h"
#include "terminal/receiveview.h"
#include "tests/support/fakeserialport.h"
#include "tests/support/messageboxrecorder.h"
#include "tests/support/ptypair.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Module1;
using namespace UiTexts;

// The terminal window driven like a user would: over a pty, with the fake port for modem lines.
class tst_FrmRun : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PtyPair> m_pty;
    std::unique_ptr<frmVedira> m_frame;
    MessageBoxRecorder m_boxes;
    frmRun *m_run = nullptr;

    void open()
    {
        m_frame->memRun_Click();
        m_run = m_frame->runWindow();
    }
    QComboBox *line(int i) const
    {
        return m_run->findChild<QComboBox *>(u"CobSend%1"_qs.arg(i + 1));
    }
    QAbstractButton *button(const char *name) const
    {
        return m_run->findChild<QAbstractButton *>(QLatin1String(name));
    }
    void click(const char *name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    void send(int index) { QTest::mouseClick(m_run->CmdSend(index), Qt::LeftButton); }
    QString area(int i) const
    {
        return m_run->findChild<ReceiveView *>(u"txtReceive_%1"_qs.arg(i))->text();
    }
    void received(const QByteArray &bytes, qsizetype total)
    {
        m_pty->write(bytes);
        QTRY_COMPARE(m_run->receiveLog().byteCount(), total);
    }
    // The port button's caption, the shared flag, the port itself and panel 6.
    void expectPort(bool open, const QString &panel)
    {
        QCOMPARE(button("cmdPort")->text(), open ? ClosePort : OpenPort);
        QCOMPARE(PortIsOpen, open ? VbTrue : VbFalse);
        QCOMPARE(m_run->Comm1().portOpen(), open);
        QCOMPARE(m_frame->panelText(6), panel);
    }
    void expectSending(bool sending)
    {
        QCOMPARE(m_run->CmdSend(2)->text(), sending ? StopSend : ContinuousSend);
        QCOMPARE(m_run->sendTimer()->isActive(), sending);
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        SetProgramFolder(m_dir->path());
        QDir(m_dir->path()).mkdir(u"ports"_qs);
        m_pty = std::make_unique<PtyPair>();
        QVERIFY(
            m_pty->isValid() && QFile::link(m_pty->slavePath(), m_dir->filePath(u"ports/com1"_qs)));
        ComPortNo = u"1"_qs;
        ComSetting = u"9600,n,8,1"_qs;
        m_frame = std::make_unique<frmVedira>();
        m_frame->show();
        m_boxes.clear();
    }
    void cleanup()
    {
        m_frame.reset();
        frmRun::PortFactory = {};
        Reset();
    }

    void sendAndReceive_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("initial"); // the initial text as it stands, CR added
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("ASCII") << 0 << QByteArray("\xA8\xD2\xA6p\xA1GABC\r") << "1,2"
                               << QByteArray("1,2\r");
        QTest::newRow("decimal") << 1 << QByteArray("\0BC", 3) << "65,66," << QByteArray("AB\0", 3);
        QTest::newRow("hex") << 2 << QByteArray("\0BC", 3) << "ff,0A" << QByteArray("\xFF\n");
    }
    // A send breaks the areas' line only after data came in, the option clears them at a send,
    // and a refused send touches neither the wire nor the areas.
    void sendAndReceive()
    {
        QFETCH(int, index);
        QFETCH(QByteArray, initial);
        QFETCH(QString, text);
        QFETCH(QByteArray, wire);
        SendOpt(1) = u"1"_qs;
        open();
        // Enter sends the line as it stands, like its button.
        QTest::keyClick(line(index), Qt::Key_Return);
        QCOMPARE(m_pty->read(initial.size()), initial);
        // Two receive events and no send between them: one line.
        received("AB", 2);
        received("\r", 3);
        line(index)->setEditText(text);
        send(index);
        send(index);
        received("B", 4);
        QCOMPARE((QStringList {area(0), area(1), area(2)}),
            (QStringList {u"A B \u240D \r\nB "_qs, "65 66 13 \r\n66 ", "41 42 D \r\n42 "}));
        // After 清除接收區 the next send adds no break.
        click("cmdReceive");
        send(index);
        QCOMPARE(area(0) + area(1) + area(2), QString());
        ReceiveClearOpt = u"1"_qs;
        received("C", 1);
        send(index);
        received("D", 1);
        QCOMPARE(m_pty->read(4 * wire.size()), wire.repeated(4));
        // The caption, not the shared flag, says the port is open.
        PortIsOpen = VbFalse;
        click("cmdPort");
        expectPort(false, PanelPortClosed);
        send(index);
        line(index)->setEditText(QString());
        send(index);
        QCOMPARE(m_boxes.texts(), (QStringList {PortNotOpen, NoSendData}));
        QCOMPARE(m_pty->readFor(50), QByteArray());
        QCOMPARE(area(2), u"44 "_qs);
    }

    // The load opens the port; a failure shows its box, leaves the port closed, and the port
    // button tries again.
    void portErrorsOnLoad_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("message");
        QTest::newRow("held by another program") << "held" << PortHeld;
        QTest::newRow("missing device") << "missing" << PortOpenError;
        QTest::newRow("port number not a number") << "abc" << DataError;
    }
    void portErrorsOnLoad()
    {
        QFETCH(QString, how);
        QFETCH(QString, message);
        QSerialPortAdapter other;
        if (how == u"held") {
            other.setCommPort(1);
            other.setPortOpen(true);
        } else if (how == u"missing") {
            m_pty.reset();
        } else {
            ComPortNo = how;
        }
        open();
        expectPort(false, QString());
        click("cmdPort");
        QCOMPARE(m_boxes.texts(), (QStringList {message, message}));
    }

    // A far end that does not read: long lines (sent whole, past the line edit's usual 32,767) and
    // continuous sending wait in order and the port stays open; a send made while more than the
    // queue's limit waits is refused once, and nothing already queued is lost or doubled.
    void backPressure()
    {
        SendOpt(2) = u"1"_qs;
        SendOpt(3) = u"100"_qs;
        open();
        QByteArray text;
        for (int i = 0; text.size() < 40000; ++i)
            text += QByteArray::number(i) + ' ';
        line(0)->setEditText(QString::fromLatin1(text));
        send(0);
        QTest::qWait(500);
        send(0);
        line(2)->setEditText(QStringList(100, u"5A"_qs).join(u','));
        QSignalSpy ticks(m_run->sendTimer(), &QTimer::timeout);
        send(2);
        QTest::qWait(20000);
        send(2);
        QCOMPARE(m_boxes.texts(), QStringList());
        const QByteArray big(2 * 1024 * 1024, 'z');
        line(0)->setEditText(QString::fromLatin1(big));
        send(0);
        send(0);
        QCOMPARE(m_boxes.texts(), QStringList {DataError});
        const QByteArray expected = text + text + QByteArray(100 * ticks.size(), 'Z') + big;
        QVERIFY(m_pty->read(expected.size(), 60000) == expected && m_pty->readFor(50).isEmpty());
        expectPort(true, PanelPortOpen);
    }

    // Saving and printing are unavailable; every named control lies inside its named parent. A lamp
    // follows its own line's events from the first on, a ring flips it, closing leaves the lamps.
    void lampsAndLayout()
    {
        FakeSerialPort *fake = nullptr;
        frmRun::PortFactory = [&fake] {
            auto port = std::make_unique<FakeSerialPort>();
            fake = port.get();
            port->setLineStates({true, false, false});
            return std::unique_ptr<SerialPort>(std::move(port));
        };
        open();
        QVERIFY(!button("cmdRec")->isEnabled() && !button("cmdPrint")->isEnabled());
        for (const QWidget *w : m_run->findChildren<QWidget *>(QRegularExpression(u"^[^q]"_qs)))
            QVERIFY2(w->parentWidget()->rect().contains(w->geometry())
                    && !w->parentWidget()->objectName().isEmpty(),
                qPrintable(w->objectName()));
        const auto lit = [this] {
            QString on;
            for (const char *lamp : {"spDCD", "spCTS", "spDSR", "spRI"})
                on += QString::number(
                    m_run->findChild<LampShape *>(lamp)->fillColor() == LampShape::On);
            return on;
        };
        QCOMPARE(lit(), u"0000"_qs);
        // An event, the line states it brings, and the lamps lit after it: DCD, CTS, DSR, RI.
        const std::tuple<qint16, FakeSerialPort::LineStates, QString> steps[] {
            {SerialPort::EvDSR, {true, false, true}, u"0010"_qs},
            {SerialPort::EvCD, {true, false, false}, u"1010"_qs},
            {SerialPort::EvCTS, {true, true, false}, u"1110"_qs},
            {SerialPort::EvRing, {}, u"1111"_qs},
            {SerialPort::EvRing, {}, u"1110"_qs},
        };
        for (const auto &[event, lines, on] : steps) {
            fake->raiseEvent(event, lines);
            QTRY_COMPARE(lit(), on);
        }
        click("cmdPort");
        QCOMPARE(lit(), u"1110"_qs);
    }

    // Continuous sending starts one interval after the click; each tick reads line and interval
    // afresh. The close box and 離 開 only hide the window, 離 開 stops sending; unplugging closes
    // the port with one box.
    void session()
    {
        SendOpt(2) = u"1"_qs;
        SendOpt(3) = u"300"_qs;
        open();
        expectPort(true, PanelPortOpen);
        line(2)->setEditText(u"07"_qs);
        send(2);
        expectSending(true);
        QCOMPARE(m_pty->readFor(20), QByteArray());
        QCOMPARE(m_run->sendTimer()->interval(), 300);
        SendOpt(3) = u"100"_qs;
        received("A", 1);
        QCOMPARE(m_pty->read(2, 2000), QByteArray("\x07\x07"));
        QCOMPARE(m_run->sendTimer()->interval(), 100);
        QCOMPARE(area(2), u"41 \r\n"_qs);
        auto *sub = qobject_cast<QMdiSubWindow *>(m_run->parentWidget());
        QVERIFY(!sub->close() && !sub->isVisible());
        QCOMPARE(m_pty->read(2, 2000), QByteArray("\x07\x07"));
        open();
        QVERIFY(sub->isVisible());
        click("CmdExit");
        QVERIFY(!sub->isVisible());
        expectSending(false);
        expectPort(true, PanelPortOpen);
        open();
        send(2);
        ReceiveClearOpt = u"1"_qs;
        QTRY_COMPARE(area(2), QString());
        // A bad line ends sending with one box.
        line(2)->setEditText(u"100"_qs);
        QTRY_COMPARE(m_boxes.texts(), QStringList {DataError});
        expectSending(false);
        m_pty->readFor(50);
        line(2)->setEditText(u"47"_qs);
        send(2);
        QCOMPARE(m_pty->read(1, 2000), QByteArray("G"));
        m_pty->closeMaster();
        QTRY_COMPARE(m_boxes.texts(), (QStringList {DataError, PortLost}));
        expectPort(false, PanelPortClosed);
        expectSending(false);
        QTest::qWait(150);
        QCOMPARE(m_boxes.boxes().size(), 2);
    }
};

QTEST_MAIN(tst_FrmRun)
#include "tst_frmrun.moc"
