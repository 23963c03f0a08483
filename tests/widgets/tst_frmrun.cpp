// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmvedira.h"
#include "core/programfolders.h"
#include "serial/qserialportadapter.h"
#include "settings/module1.h"
#include "terminal/frmrun.h"
#include "terminal/lampshape.h"
#include "terminal/receiveview.h"
#include "terminal/terminalsession.h"
#include "tests/support/addressspacelimit.h"
#include "tests/support/fakeserialport.h"
#include "tests/support/messageboxrecorder.h"
#include "tests/support/ptypair.h"
#include "tests/support/sharedstate.h"
#include "ui/uitexts.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

#include <grp.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

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
        m_frame->findChild<QAction *>("memRun")->trigger(); // from the menu, as a user opens it
        m_run = m_frame->findChild<frmRun *>();
    }
    QComboBox *line(int i) const
    {
        return m_run->findChild<QComboBox *>(u"CobSend%1"_qs.arg(i + 1));
    }
    QAbstractButton *button(const char *name) const
    {
        return m_run->findChild<QAbstractButton *>(name);
    }
    void click(const char *name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    void send(int index) { QTest::mouseClick(m_run->CmdSend(index), Qt::LeftButton); }
    QString area(int i) const
    {
        return m_run->findChild<ReceiveView *>(u"txtReceive_%1"_qs.arg(i))->text();
    }
    static constexpr auto said = &QAccessible::queryAccessibleInterface;
    void received(const QByteArray &bytes, qsizetype total)
    {
        m_pty->write(bytes);
        QTRY_COMPARE(m_run->session().log().byteCount(), total);
    }
    // The port button's caption, the shared flag, the port itself and panel 6.
    void expectPort(bool open, const QString &panel)
    {
        QCOMPARE(button("cmdPort")->text(), open ? ClosePort : OpenPort);
        QCOMPARE(PortIsOpen, open ? VbTrue : VbFalse);
        QCOMPARE(m_run->session().Comm1().portOpen(), open);
        QCOMPARE(m_frame->findChild<QLabel *>(u"Stb1_Panel6"_qs)->text(), panel);
    }
    void expectSending(bool sending)
    {
        QCOMPARE(m_run->CmdSend(2)->text(), sending ? StopSend : ContinuousSend);
        QCOMPARE(m_run->findChild<QTimer *>("timerSend")->isActive(), sending); // by its name
    }

private Q_SLOTS:
    // Without the capabilities that override modes, root is refused as anyone; its files need none.
    void initTestCase()
    {
        __user_cap_header_struct header {_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct caps[2] {};
        ::syscall(SYS_capget, &header, caps);
        caps[0].effective &= ~(1u << CAP_DAC_OVERRIDE | 1u << CAP_DAC_READ_SEARCH);
        ::syscall(SYS_capset, &header, caps);
    }
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        ProgramFolders::setProgram(m_dir->path());
        QDir(m_dir->path()).mkdir(u"ports"_qs);
        m_pty = std::make_unique<PtyPair>();
        QVERIFY(QFile::link(m_pty->slavePath(), m_dir->filePath(u"ports/com1"_qs))); // a pty there
        ComPortNo = u"1"_qs;
        ComSetting = u"9600,n,8,1"_qs;
        m_frame = std::make_unique<frmVedira>();
        m_frame->show();
        m_boxes.clear();
    }
    void cleanup()
    {
        m_frame.reset();
        resetSharedState();
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
    // Enter sends like the button; a typed line is listed at its send; sends break or clear areas.
    void sendAndReceive()
    {
        QFETCH(int, index);
        QFETCH(QByteArray, initial);
        QFETCH(QString, text);
        QFETCH(QByteArray, wire);
        SendOpt(1) = u"1"_qs;
        open();
        QTest::keyClick(line(index), Qt::Key_Return);
        received("AB", 2);
        line(index)->clearEditText();
        QTest::keyClicks(line(index), text);
        send(index);
        send(index);
        QCOMPARE(m_pty->read(initial.size() + 2 * wire.size()), initial + wire + wire);
        QCOMPARE(line(index)->count(), 1); // Enter on the initial text listed nothing
        QCOMPARE(line(index)->itemText(0), text);
        QCOMPARE((QStringList {area(0), area(1), area(2)}),
            (QStringList {u"A B \r\n"_qs, "65 66 \r\n", "41 42 \r\n"}));
        ReceiveClearOpt = u"1"_qs; // read at each send
        send(index);
        QCOMPARE(area(0) + area(1) + area(2), QString());
        received("D", 1);
        click("cmdReceive");
        QCOMPARE(area(2), QString());
        // The caption, not the shared flag, says the port is open; the port says a send can go.
        PortIsOpen = VbFalse;
        click("cmdPort");
        expectPort(false, PanelPortClosed);
        send(index);
        line(index)->setEditText(QString());
        send(index);
        QCOMPARE(m_boxes.texts(), (QStringList {PortNotOpen, NoSendData}));
    }

    // The load opens the port; a failure shows its box, leaves it closed; the button tries again.
    void portErrorsOnLoad_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("detail"); // %1 the device, %2 the user
        const auto row
            = [](const char *name, const char *how, const QString &message, const QString &detail) {
                  QTest::newRow(name) << QString::fromLatin1(how) << message << detail;
              };
        const QString held = QFileInfo(QCoreApplication::applicationFilePath()).fileName().left(15)
            + u"（PID %1）使用中，請先結束該程式。"_qs.arg(QCoreApplication::applicationPid());
        row("held by another program", "held", PortHeld, u"%1：正由 "_qs + held);
        row("a terminal of this system", "/dev/tty", PortOpenError, u"%1：不是序列埠裝置。"_qs);
        row("a device that is no terminal", "/dev/null", PortOpenError, u"%1：不是序列埠裝置。"_qs);
        row("a link to itself", "loop", PortOpenError, u"%1：Too many levels of symbolic links"_qs);
        row("no permission for anyone", "0", PortOpenError,
            u"%1：權限不足。請系統管理員開放此裝置的讀寫權限。"_qs);
        row("permission for its group only", "060", PortOpenError, // the owner's own bits deny it
            u"%1：權限不足。請執行 sudo adduser %2 dialout，重新登入後再試。"_qs);
        row("port number not a number", "abc", DataError, QString());
    }
    void portErrorsOnLoad()
    {
        QFETCH(QString, how);
        QFETCH(QString, message);
        QFETCH(QString, detail);
        QSerialPortAdapter other(ProgramFolders::ports());
        QString device = m_pty->slavePath();
        if (how == u"held") {
            other.setCommPort(1);
            other.setPortOpen(true);
        } else if (how.startsWith(u'/') || how == u"loop") {
            device = how == u"loop" ? m_dir->filePath(u"ports/com2"_qs) : how;
            QVERIFY(QFile::link(device, m_dir->filePath(u"ports/com2"_qs)));
            ComPortNo = u"2"_qs;
        } else if (how.startsWith(u'0')) { // a device of the dialout group, as a serial port is
            const QByteArray path = QFile::encodeName(device);
            const group *dialout = ::getgrnam("dialout");
            QVERIFY(dialout && ::chown(path, uid_t(-1), dialout->gr_gid) == 0);
            QCOMPARE(::chmod(path, how.toUInt(nullptr, 8)), 0);
        } else {
            ComPortNo = how;
        }
        open();
        expectPort(false, QString());
        click("cmdPort");
        QCOMPARE(m_boxes.texts(), (QStringList {message, message}));
        const QString user = QFileInfo(m_dir->path()).owner();
        for (const MessageBox::Request &box : m_boxes.boxes())
            QCOMPARE(box.detail, QString(detail).replace(u"%1"_qs, device).replace(u"%2"_qs, user));
    }

    // A send refused behind a full queue names the bytes still waiting.
    void outputFull()
    {
        open();
        line(0)->setEditText(QString(frmRun::MaxLineLength, u'z'));
        for (int sends = 0; m_boxes.boxes().isEmpty() && sends < 100; ++sends)
            send(0);
        const qint64 waiting = m_run->session().Comm1().outBufferCount();
        QCOMPARE(m_boxes.texts(), QStringList {PortBusy.arg(waiting)});
        // Unplugged with the bytes still waiting: they go with the port, and the box says so.
        m_pty->closeMaster();
        QTRY_COMPARE(m_boxes.texts(), (QStringList {PortBusy.arg(waiting), PortLost}));
        expectPort(false, PanelPortClosed);
        QCOMPARE(m_boxes.boxes().last().detail,
            u"%1：裝置已移除或不再回應。尚未送出的 %2 位元組已捨棄。"_qs.arg(m_pty->slavePath())
                .arg(waiting));
    }

    // A stream past the memory left: a box naming the bytes kept, port closed, all of them shown.
    void receiveOutOfMemory()
    {
#ifdef __SANITIZE_ADDRESS__
        QSKIP("the sanitizer's own bookkeeping needs the memory the limit takes away");
#endif
        open();
        const QByteArray event(64 * 1024, 'A');
        {
            const AddressSpaceLimit tight(48);
            const QDeadlineTimer hung(60000);
            while (m_boxes.boxes().isEmpty() && !hung.hasExpired()) {
                if (::write(m_pty->masterFd(), event.constData(), size_t(event.size())) <= 0)
                    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            }
        }
        const qsizetype kept = m_run->session().log().byteCount();
        QCOMPARE(m_boxes.texts(), QStringList {OutOfMemory});
        QCOMPARE(m_boxes.boxes().first().detail, ReceiveKept.arg(kept));
        expectPort(false, PanelPortClosed);
        for (const ReceiveView *view : m_run->findChildren<ReceiveView *>()) // all laid out to it
            QTRY_VERIFY(!view->itemRect(kept - 1).isEmpty());
    }

    void lineKeys_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pasted"); // none: Ctrl+M with the caret at the start
        QTest::addColumn<QString>("after");
        QTest::addColumn<QStringList>("boxes");
        const auto row = [](const char *name, int index, const QString &text, const QString &pasted,
                             const QString &after, const QStringList &boxes = {}) {
            QTest::newRow(name) << index << text << pasted << after << boxes;
        };
        const QString fill(frmRun::MaxLineLength - 2, u'3');
        row("Ctrl+M, a request", 2, "01,03,00,00,00,02", {}, "01,03,00,00,00,02,C4,0B");
        row("Ctrl+M in the ASCII line", 0, "01,03", {}, "01,03");
        row("Ctrl+M refused", 2, "01,0x3", {}, "01,0x3", {DataError});
        row("paste up to the limit", 0, "12", fill, "12" + fill);
        row("paste one over", 1, "12", fill + u'3', "12", {LineTooLong.arg(frmRun::MaxLineLength)});
    }
    // Ctrl+M appends the hex line's Modbus CRC, caret anywhere; refused lines and pastes get a box.
    void lineKeys()
    {
        QFETCH(int, index);
        QFETCH(QString, text);
        QFETCH(QString, pasted);
        open();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        QLineEdit *edit = line(index)->lineEdit();
        line(index)->setEditText(text);
        edit->setFocus();
        QApplication::clipboard()->setText(pasted);
        if (pasted.isEmpty()) {
            edit->home(false);
            QTest::keyClick(edit, Qt::Key_M, Qt::ControlModifier);
        } else {
            edit->end(false);
            QTest::keySequence(edit, QKeySequence::Paste);
            QTest::qWait(0);
        }
        QTEST(line(index)->currentText(), "after");
        QTEST(m_boxes.texts(), "boxes");
    }

    // A lamp follows its line's events from the first on, a ring flips it, a close leaves it.
    void lamps()
    {
        FakeSerialPort *fake = nullptr;
        m_frame = std::make_unique<frmVedira>(frmVedira::Seams {.portFactory = [&fake] {
            auto port = std::make_unique<FakeSerialPort>();
            fake = port.get();
            port->setLineStates({true, false, false});
            return std::unique_ptr<SerialPort>(std::move(port));
        }});
        m_frame->show();
        open();
        // Lit as drawn and as told to screen readers.
        const auto lit = [this] {
            QString on;
            for (const char *lamp : {"spSD", "spRD", "spDCD", "spCTS", "spDSR", "spRI"}) {
                auto *shape = m_run->findChild<LampShape *>(lamp);
                const bool red = shape->fillColor() == LampShape::On;
                on += red == said(shape)->state().checked ? QString::number(red) : u"?"_qs;
            }
            return on;
        };
        QCOMPARE(lit(), u"000000"_qs);
        // Events, their line states, the lamps after: SD, RD (never lit), DCD, CTS, DSR, RI.
        const std::tuple<qint16, FakeSerialPort::LineStates, QString> steps[] {
            {SerialPort::EvDSR, {true, false, true}, u"000010"_qs},
            {SerialPort::EvCD, {true, false, false}, u"001010"_qs},
            {SerialPort::EvCTS, {true, true, false}, u"001110"_qs},
            {SerialPort::EvRing, {}, u"001111"_qs},
            {SerialPort::EvRing, {}, u"001110"_qs},
        };
        for (const auto &[event, lines, on] : steps) {
            fake->raiseEvent(event, lines);
            QTRY_COMPARE(lit(), on);
        }
        // Lines that cannot be read: one box for the run of failures, the lamps as they were.
        fake->failLineReads(true);
        fake->raiseEvent(SerialPort::EvCTS, FakeSerialPort::LineStates {});
        fake->raiseEvent(SerialPort::EvDSR);
        QTRY_COMPARE(m_boxes.texts(), QStringList {DataError});
        QCOMPARE(lit(), u"001110"_qs);
        click("cmdPort");
        QCOMPARE(lit(), u"001110"_qs);
    }

    // Controls read by their labels, buttons by their line; Tab walks as the window reads.
    void accessibleNames()
    {
        open();
        m_frame->memCheck_Click();
        for (const QLabel *label : m_run->findChildren<QLabel *>()) {
            QVERIFY2(label->buddy(), qPrintable(label->objectName()));
            QCOMPARE(said(label->buddy())->text(QAccessible::Name), label->text());
        }
        const auto labelOf = [this](int i) { return said(line(i))->text(QAccessible::Name); };
        QCOMPARE(said(line(2))->text(QAccessible::Value), line(2)->currentText());
        QCOMPARE(said(line(2)->lineEdit())->text(QAccessible::Name), labelOf(2));
        const std::pair<QWidget *, int> described[] {{m_run->CmdSend(0), 0}, {m_run->CmdSend(1), 1},
            {m_run->CmdSend(2), 2}, {button("cmdOpt1"), 0}, {button("cmdOpt3"), 2}};
        for (const auto &[control, i] : described)
            QCOMPARE(said(control)->text(QAccessible::Description), labelOf(i));
        QCOMPARE(said(m_run->findChild<LampShape *>("spDSR"))->role(), QAccessible::CheckBox);
        QAccessibleInterface *area = said(m_run->findChild<QWidget *>("txtReceive_1"));
        QCOMPARE(area->role(), QAccessible::EditableText);
        const QAccessible::State is = area->state();
        QCOMPARE((QList<quint64> {is.readOnly, is.multiLine, is.selectableText}),
            (QList<quint64> {1, 1, 1})); // text to read and select, not to edit
        // frmCheck's boxes by the label above them, and by their frame where labels repeat.
        QAccessibleInterface *sum = said(m_frame->findChild<QWidget *>(u"txtSumHex"_qs));
        QComboBox *bytes = m_frame->findChild<QComboBox *>(u"CobTxt"_qs);
        QCOMPARE(
            said(bytes->lineEdit())->text(QAccessible::Name), said(bytes)->text(QAccessible::Name));
        const QWidget *check = m_frame->findChild<QWidget *>(u"frmCheck"_qs);
        QVERIFY(!m_frame->windowIcon().isNull());
        QVERIFY(check->parentWidget()->windowIcon().cacheKey()
            != m_run->parentWidget()->windowIcon().cacheKey()); // each window's frame its own icon
        for (const QToolButton *picture : m_run->findChildren<QToolButton *>())
            QVERIFY2(!picture->icon().isNull(), qPrintable(picture->objectName()));
        QCOMPARE(sum->text(QAccessible::Name), u"ASCII (Hex)"_qs);
        QCOMPARE(sum->text(QAccessible::Description), u"CheckSum"_qs);
        QStringList order;
        for (QWidget *w = line(0); order.size() < 14; w = w->nextInFocusChain()) {
            if ((w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && w->isEnabled()
                && m_run->isAncestorOf(w))
                order << (w->objectName().isEmpty() ? w->parentWidget()->objectName()
                                                    : w->objectName());
        }
        QCOMPARE(order.join(u' '),
            u"CobSend1 CmdSend_0 cmdOpt1 CobSend2 CmdSend_1 CobSend3 CmdSend_2 cmdOpt3 cmdPort "
            "cmdReceive CmdExit txtReceive_2 txtReceive_0 txtReceive_1"_qs);
    }

    // Ticks read line, interval and option afresh; a bad line, 停止, 離 開, a port close stop it.
    void continuousSending()
    {
        SendOpt(2) = u"1"_qs;
        SendOpt(3) = u"300"_qs;
        ComSetting = u"19200,n,8,1"_qs;
        open();
        QCOMPARE(m_run->session().Comm1().settings(), u"19200,n,8,1"_qs); // the line as set
        line(2)->setEditText(u"07"_qs);
        send(2);
        expectSending(true);
        QTimer *timer = m_run->findChild<QTimer *>("timerSend");
        QCOMPARE(timer->interval(), 300);
        SendOpt(3) = u"100"_qs;
        received("A", 1);
        QCOMPARE(m_pty->read(2, 2000), QByteArray("\x07\x07"));
        QCOMPARE(timer->interval(), 100);
        QCOMPARE(area(2), u"41 \r\n"_qs);
        auto *sub = qobject_cast<QMdiSubWindow *>(m_run->parentWidget());
        QVERIFY(!sub->close());
        QVERIFY(!sub->isVisible());
        expectSending(true);
        open();
        click("CmdExit");
        QVERIFY(!sub->isVisible());
        expectSending(false);
        expectPort(true, PanelPortOpen);
        open();
        send(2);
        ReceiveClearOpt = u"1"_qs;
        QTRY_COMPARE(area(2), QString());
        line(2)->setEditText(u"100"_qs);
        QTRY_COMPARE(m_boxes.texts(), QStringList {DataError});
        expectSending(false);
        line(2)->setEditText(u"47"_qs);
        send(2);
        send(2); // 停止
        expectSending(false);
        send(2);
        click("cmdPort");
        expectSending(false);
    }

    void dialogs_data()
    {
        // SendOpt(1..2), ReceiveClearOpt, SendOpt(3), CmdSend(2); timerSend runs while it is 停止.
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("shown"); // the options checked at load, frmOpt1 without optC
        QTest::addColumn<QString>("clicks"); // the last closes: CmdOk, the close box or Escape
        QTest::addColumn<QString>("after");
        const auto row = [](const char *name, const QString &before, const char *shown,
                             const char *clicks, const QString &after) {
            QTest::newRow(name) << before << QString::fromLatin1(shown)
                                << QString::fromLatin1(clicks) << after;
        };
        row("frmOpt1", "0 0 0 1000 " + SingleSend, "optA_0", "optA_1 CmdOk",
            "1 0 0 1000 " + SingleSend);
        // A disabled interval ignores its click: the intervals are there in continuous mode only.
        row("continuous chosen, 確 定", "0 0 0 1000 " + SingleSend, "optA_0 optB_0 optC_4",
            "optC_0 optA_1 optB_1 CmdOk", "0 1 1 1000 " + ContinuousSend);
        row("single chosen while sending, close box", "0 1 1 5000 " + StopSend,
            "optA_1 optB_1 optC_7", "optC_3 optA_0 optC_2 close", "0 0 1 500 " + SingleSend);
        row("kept while sending, Escape", "0 1 0 300 " + StopSend, "optA_1 optB_0 optC_2",
            "optC_6 Escape", "0 1 0 3000 " + StopSend);
    }
    // Each 選項 opens its options, modal, choices shown; clicks store at once, the mode at closing.
    void dialogs()
    {
        QFETCH(QString, before);
        QFETCH(QString, shown);
        QFETCH(QString, clicks);
        QFETCH(QString, after);
        QString *const options[] {&SendOpt(1), &SendOpt(2), &ReceiveClearOpt, &SendOpt(3)};
        for (int i = 0; i < 4; ++i)
            *options[i] = before.section(u' ', i, i);
        open();
        line(2)->setEditText(u"01"_qs);
        if (before.endsWith(StopSend))
            send(2);
        QStringList checked;
        bool stayed = true;
        QTimer::singleShot(0, this, [&] {
            auto *dlg = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            QCOMPARE(dlg->objectName(), shown.contains(u"optC") ? "frmOpt3" : "frmOpt1");
            QCOMPARE(dlg->windowTitle(),
                (shown.contains(u"optC") ? u"16進制"_qs : u"ASCII碼"_qs) + u"字元,傳送參數設定"_qs);
            QCOMPARE(dlg->font(), m_run->font()); // the terminal's own
            QCOMPARE(dlg->minimumSize(), dlg->maximumSize()); // not to be resized
            const auto done = qScopeGuard([&] {
                stayed = dlg->isVisible();
                dlg->reject(); // never left open, whatever failed
            });
            const QPoint off = dlg->frameGeometry().center() - m_frame->frameGeometry().center();
            QVERIFY(off.manhattanLength() <= 2); // over the frame's middle
            for (const QAbstractButton *button : dlg->findChildren<QAbstractButton *>()) {
                if (button->isChecked())
                    checked << button->objectName();
            }
            // An option button takes clicks on its circle, not on the blank after its caption.
            for (const QString &name : clicks.split(u' ')) {
                if (name == u"close")
                    dlg->close();
                else if (name == u"Escape")
                    QTest::keyClick(dlg, Qt::Key_Escape);
                else
                    QTest::mouseClick(
                        dlg->findChild<QAbstractButton *>(name), Qt::LeftButton, {}, QPoint(8, 8));
            }
        });
        click(shown.contains(u"optC") ? "cmdOpt3" : "cmdOpt1");
        QVERIFY(!stayed);
        QCOMPARE(checked.join(u' '), shown);
        const QStringList now {
            SendOpt(1), SendOpt(2), ReceiveClearOpt, SendOpt(3), m_run->CmdSend(2)->text()};
        QCOMPARE(now.join(u' '), after);
        QCOMPARE(m_run->findChild<QTimer *>("timerSend")->isActive(), after.endsWith(StopSend));
    }
};

QTEST_MAIN(tst_FrmRun)
#include "tst_frmrun.moc"
