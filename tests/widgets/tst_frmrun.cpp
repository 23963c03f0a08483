// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmvedira.h"
#include "core/programfolders.h"
#include "serial/qserialportadapter.h"
#include "settings/module1.h"
#include "terminal/frmopt1.h"
#include "terminal/frmopt3.h"
#include "terminal/frmrun.h"
#include "terminal/lampshape.h"
#include "terminal/receiveview.h"
#include "terminal/terminalsession.h"
#include "tests/support/addressspacelimit.h"
#include "tests/support/fakeserialport.h"
#include "tests/support/messageboxrecorder.h"
#include "tests/support/ptypair.h"
#include "tests/support/sharedstate.h"
#include "ui/designfonts.h"
#include "ui/uitexts.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>
#include <optional>

#include <grp.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#ifdef __SANITIZE_ADDRESS__
// Under a memory limit the receive path must see a failed allocation, not the sanitizer stopping.
extern "C" const char *__asan_default_options()
{
    return "allocator_may_return_null=1";
}
#endif

using namespace Module1;
using namespace UiTexts;

// Root opens a device whatever its mode; without the capabilities that override modes it is
// refused as any other user is. Restored when it goes.
class WithoutModeOverride
{
    __user_cap_header_struct m_header {_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2] {};

public:
    WithoutModeOverride()
    {
        ::syscall(SYS_capget, &m_header, m_saved);
        __user_cap_data_struct less[2] {m_saved[0], m_saved[1]};
        less[0].effective &= ~(1u << CAP_DAC_OVERRIDE | 1u << CAP_DAC_READ_SEARCH);
        ::syscall(SYS_capset, &m_header, less);
    }
    ~WithoutModeOverride() { ::syscall(SYS_capset, &m_header, m_saved); }
};

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
    // A send breaks the areas' line only after data came, the option clears them; a refusal: none.
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
        // A typed line joins the line's list at its first send.
        line(index)->clearEditText();
        QTest::keyClicks(line(index), text);
        send(index);
        send(index);
        QCOMPARE(line(index)->count(), 1); // Enter on the initial text listed nothing
        QCOMPARE(line(index)->itemText(0), text);
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

    // The load opens the port; a failure shows its box, leaves it closed; the button tries again.
    void portErrorsOnLoad_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("detail"); // %1 the device, %2 the user
        const QString self = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        QTest::newRow("held by another program") << "held" << PortHeld
                                                 << u"%1：正由 "_qs + self.left(15) + u"（PID "_qs
                + QString::number(QCoreApplication::applicationPid())
                + u"）使用中，請先結束該程式。"_qs;
        QTest::newRow("missing device")
            << "gone" << PortOpenError << "%1：找不到此裝置，請確認裝置已接上。";
        QTest::newRow("not a serial device") << "file" << PortOpenError << "%1：不是序列埠裝置。";
        QTest::newRow("no permission for anyone")
            << "0" << PortOpenError << "%1：權限不足。請系統管理員開放此裝置的讀寫權限。";
        QTest::newRow("permission for its group only") // the owner's own bits deny it
            << "060" << PortOpenError
            << "%1：權限不足。請執行 sudo adduser %2 dialout，重新登入後再試。";
        QTest::newRow("port number not a number") << "abc" << DataError << "";
    }
    void portErrorsOnLoad()
    {
        QFETCH(QString, how);
        QFETCH(QString, message);
        QFETCH(QString, detail);
        QSerialPortAdapter other(ProgramFolders::ports());
        QString device = m_pty->slavePath();
        std::optional<WithoutModeOverride> asUser;
        if (how == u"held") {
            other.setCommPort(1);
            other.setPortOpen(true);
        } else if (how == u"gone" || how == u"file") { // gone cannot come back, as a pty number can
            device = QDir(m_dir->path()).canonicalPath() + u'/' + how;
            QFile file(device);
            QVERIFY(how == u"gone" || file.open(QIODevice::WriteOnly));
            QVERIFY(QFile::remove(m_dir->filePath(u"ports/com1"_qs))
                && QFile::link(device, m_dir->filePath(u"ports/com1"_qs)));
        } else if (how.startsWith(u'0')) { // a device of the dialout group, as a serial port is
            const QByteArray path = QFile::encodeName(device);
            const group *dialout = ::getgrnam("dialout");
            QVERIFY(dialout && ::chown(path, uid_t(-1), dialout->gr_gid) == 0);
            QCOMPARE(::chmod(path, how.toUInt(nullptr, 8)), 0);
            asUser.emplace();
        } else {
            ComPortNo = how;
        }
        open();
        expectPort(false, QString());
        click("cmdPort");
        asUser.reset();
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
        expectPort(true, PanelPortOpen);
        // Unplugged with the bytes still waiting: they go with the port, and the box says so.
        m_pty->closeMaster();
        QTRY_COMPARE(m_boxes.texts(), (QStringList {PortBusy.arg(waiting), PortLost}));
        QCOMPARE(m_boxes.boxes().last().detail,
            u"%1：裝置已移除或不再回應。尚未送出的 %2 位元組已捨棄。"_qs.arg(m_pty->slavePath())
                .arg(waiting));
    }

    // A stream past the memory left: one box naming the bytes kept, the port closed, each area
    // showing every byte kept.
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

    // Ctrl+M appends the hexadecimal line's Modbus CRC after its last item, wherever the caret is;
    // in another line it does nothing, and a line the calculator refuses stays, with a box.
    void appendModbusCrc_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("a request") << 2 << "01,03,00,00,00,02"
                                   << "01,03,00,00,00,02,C4,0B" << QStringList();
        QTest::newRow("in the ASCII line") << 0 << "01,03"
                                           << "01,03" << QStringList();
        QTest::newRow("refused") << 2 << "01,0x3"
                                 << "01,0x3" << QStringList {DataError};
    }
    void appendModbusCrc()
    {
        QFETCH(int, index);
        QFETCH(QString, text);
        open();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        QLineEdit *edit = line(index)->lineEdit();
        line(index)->setEditText(text);
        edit->setFocus();
        edit->home(false);
        QTest::keyClick(edit, Qt::Key_M, Qt::ControlModifier);
        QTEST(line(index)->currentText(), "after");
        QTEST(m_boxes.texts(), "boxes");
    }

    void pasteLimit_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<qsizetype>("length");
        QTest::addColumn<bool>("taken");
        for (int i = 0; i < 3; ++i) {
            const QString name = u"line %1, "_qs.arg(i + 1);
            QTest::newRow(qPrintable(name + u"at the limit"_qs))
                << i << frmRun::MaxLineLength << true;
            QTest::newRow(qPrintable(name + u"one over"_qs))
                << i << frmRun::MaxLineLength + 1 << false;
        }
    }
    // A paste past a line's limit is refused whole with a box naming the limit, the line as it was.
    void pasteLimit()
    {
        QFETCH(int, index);
        QFETCH(qsizetype, length);
        QFETCH(bool, taken);
        open();
        line(index)->setEditText(u"12"_qs);
        QApplication::clipboard()->setText(QString(length - 2, u'3'));
        line(index)->lineEdit()->end(false);
        QTest::keySequence(line(index)->lineEdit(), QKeySequence::Paste);
        QTest::qWait(0);
        QCOMPARE(line(index)->currentText().size(), taken ? length : 2);
        QCOMPARE(m_boxes.texts(),
            taken ? QStringList() : QStringList {LineTooLong.arg(frmRun::MaxLineLength)});
    }

    // The window opens top left, without saving or printing, each control inside its named parent.
    // A lamp follows its line's events from the first on, a ring flips it, a close leaves it.
    void lampsAndLayout()
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
        QCOMPARE(m_run->parentWidget()->pos(), QPoint(0, 0)); // top left in the frame
        for (const QToolButton *b : m_run->findChildren<QToolButton *>()) { // captioned pictures
            QCOMPARE(b->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
            QVERIFY2(!b->icon().isNull(), qPrintable(b->objectName()));
        }
        QVERIFY(!button("cmdRec")->isEnabled());
        QVERIFY(!button("cmdPrint")->isEnabled());
        QSet<QRgb> inks; // each receive area's text in a colour of its own
        for (const ReceiveView *view : m_run->findChildren<ReceiveView *>())
            inks << view->palette().color(QPalette::Text).rgb();
        QCOMPARE(inks.size(), 3);
        for (const QWidget *w : m_run->findChildren<QWidget *>(QRegularExpression(u"^[^q]"_qs))) {
            QVERIFY2(
                w->parentWidget()->rect().contains(w->geometry()), qPrintable(w->objectName()));
            QVERIFY2(!w->parentWidget()->objectName().isEmpty(), qPrintable(w->objectName()));
        }
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
        fake->failLineReads(false);
        fake->raiseEvent(SerialPort::EvCTS);
        QTRY_COMPARE(lit(), u"001010"_qs);
        click("cmdPort");
        QCOMPARE(lit(), u"001010"_qs);
    }

    // Controls are named as a person would call them; Tab walks the window as it reads.
    void accessibleNames()
    {
        open();
        m_frame->memCheck_Click();
        const QWidget *check = m_frame->findChild<QWidget *>(u"frmCheck"_qs);
        const std::tuple<const QWidget *, const char *, QAccessible::Role, QString, QString>
            rows[] {
                {m_run, "CmdSend_1", QAccessible::Button, SingleSend,
                    u"傳送10進制字串 , 使用\"，\"分隔"_qs},
                {m_run, "cmdOpt1", QAccessible::Button, u"選項"_qs, u"傳送ASCII碼字元"_qs},
                {m_run, "cmdOpt3", QAccessible::Button, u"選項"_qs,
                    u"傳送16進制字串 , 使用\"，\"分隔"_qs},
                {m_run, "txtReceive_2", QAccessible::EditableText, u"16進制字串顯示"_qs, {}},
                {m_run, "txtReceive_0", QAccessible::EditableText, u"ASCII字元顯示"_qs, {}},
                {m_run, "spDSR", QAccessible::CheckBox, u"DSR"_qs, {}},
                {check, "txtCRClow", QAccessible::EditableText, u"CRC  low"_qs, u"CRC-16"_qs},
                {check, "txtSumHex", QAccessible::EditableText, u"ASCII (Hex)"_qs, u"CheckSum"_qs},
                {check, "CobTxt", QAccessible::ComboBox, u"請輸入16進制字串 , 使用\"，\"分隔"_qs,
                    {}},
            };
        for (const auto &[window, name, role, text, description] : rows) {
            QAccessibleInterface *i = said(window->findChild<QWidget *>(QLatin1String(name)));
            QCOMPARE((std::tuple {
                         i->role(), i->text(QAccessible::Name), i->text(QAccessible::Description)}),
                (std::tuple {role, text, description}));
        }
        // A send line is read by its label whatever is typed in it; its text is its value.
        QCOMPARE((QStringList {said(line(2))->text(QAccessible::Name),
                     said(line(2))->text(QAccessible::Value),
                     said(line(2)->lineEdit())->text(QAccessible::Name)}),
            (QStringList {u"傳送16進制字串 , 使用\"，\"分隔"_qs, line(2)->currentText(),
                u"傳送16進制字串 , 使用\"，\"分隔"_qs}));
        const QAccessible::State area = said(m_run->findChild<QWidget *>("txtReceive_1"))->state();
        QCOMPARE((QList<quint64> {area.readOnly, area.multiLine, area.selectableText}),
            (QList<quint64> {1, 1, 1})); // text to read and select, not to edit
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

    // Continuous sending starts an interval after the click, each tick reading line and interval
    // afresh. The close box and 離 開 hide the window, 離 開 stops sending; an unplug: one box.
    void session()
    {
        SendOpt(3) = u"300"_qs;
        ComSetting = u"19200,n,8,1"_qs;
        open();
        expectPort(true, PanelPortOpen);
        QCOMPARE(m_run->session().Comm1().settings(), u"19200,n,8,1"_qs); // the line as set
        // Each 選項 opens its line's options, modal; the second's send mode reaches the terminal.
        SendOpt(2) = u"1"_qs;
        const auto shown = std::make_shared<QStringList>();
        for (const char *options : {"cmdOpt1", "cmdOpt3"}) {
            QTimer::singleShot(0, this, [shown] {
                QWidget *modal = QApplication::activeModalWidget();
                *shown << (modal ? modal->objectName() + u' ' + modal->windowTitle() : QString());
                if (modal)
                    modal->close();
            });
            click(options);
        }
        QCOMPARE(*shown,
            (QStringList {"frmOpt1 ASCII碼字元,傳送參數設定", "frmOpt3 16進制字元,傳送參數設定"}));
        line(2)->setEditText(u"07"_qs);
        send(2);
        expectSending(true);
        QCOMPARE(m_pty->readFor(20), QByteArray());
        QCOMPARE(m_run->findChild<QTimer *>("timerSend")->interval(), 300);
        SendOpt(3) = u"100"_qs;
        received("A", 1);
        QCOMPARE(m_pty->read(2, 2000), QByteArray("\x07\x07"));
        QCOMPARE(m_run->findChild<QTimer *>("timerSend")->interval(), 100);
        QCOMPARE(area(2), u"41 \r\n"_qs);
        auto *sub = qobject_cast<QMdiSubWindow *>(m_run->parentWidget());
        QVERIFY(!sub->close());
        QVERIFY(!sub->isVisible());
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
    // The controls fit the dialog and their captions (design fonts, so this comes last), the
    // stored choices are shown, a click stores its choice at once, and the send mode reaches a
    // terminal whose port is closed when the dialog closes, however.
    void dialogs()
    {
        DesignFonts::install();
        frmRun run(std::make_unique<FakeSerialPort>());
        QFETCH(QString, before);
        QFETCH(QString, shown);
        QFETCH(QString, clicks);
        QFETCH(QString, after);
        QString *const options[] {&SendOpt(1), &SendOpt(2), &ReceiveClearOpt, &SendOpt(3)};
        for (int i = 0; i < 4; ++i)
            *options[i] = before.section(u' ', i, i);
        QPushButton *cmdSend2 = run.CmdSend(2);
        cmdSend2->setText(before.section(u' ', 4));
        cmdSend2->text() == StopSend ? run.findChild<QTimer *>("timerSend")->start(1000)
                                     : run.findChild<QTimer *>("timerSend")->stop();
        std::unique_ptr<QDialog> dlg(
            shown.contains(u"optC") ? static_cast<QDialog *>(new frmOpt3) : new frmOpt1);
        if (auto *opt3 = qobject_cast<frmOpt3 *>(dlg.get()))
            connect(opt3, &frmOpt3::sendModeChosen, &run, &frmRun::applySendMode);
        dlg->show();
        QCOMPARE(dlg->font(), run.font()); // the terminal's own
        QVERIFY(dlg->rect().contains(dlg->childrenRect()));
        QCOMPARE(dlg->minimumSize(), dlg->maximumSize()); // a fixed border
        QStringList checked;
        for (const QAbstractButton *button : dlg->findChildren<QAbstractButton *>()) {
            QVERIFY(button->sizeHint().width() <= button->width());
            if (button->isChecked())
                checked << button->objectName();
        }
        QCOMPARE(checked.join(u' '), shown);
        // An option button takes clicks on its circle, not on the blank after its caption.
        for (const QString &name : clicks.split(u' ')) {
            auto *button = dlg->findChild<QAbstractButton *>(name);
            if (name == u"close")
                dlg->close();
            else
                name == u"Escape" ? QTest::keyClick(dlg.get(), Qt::Key_Escape)
                                  : QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, 8));
        }
        QVERIFY(!dlg->isVisible());
        const QStringList now {
            SendOpt(1), SendOpt(2), ReceiveClearOpt, SendOpt(3), cmdSend2->text()};
        QCOMPARE(now.join(u' '), after);
        QCOMPARE(run.findChild<QTimer *>("timerSend")->isActive(), after.endsWith(StopSend));
    }
};

QTEST_MAIN(tst_FrmRun)
#include "tst_frmrun.moc"
