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
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Module1;

// The terminal window driven like a user would: over a pseudo-terminal for what reaches the
// wire, with the fake port for modem lines and error numbers.
class tst_FrmRun : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void opensAtLoadAndTogglesByCaption();
    void receivedBytesShowThreeWays_data();
    void receivedBytesShowThreeWays();
    void lineBreakOnlyOnSendAfterData();
    void heldPortIsReported();
    void missingDeviceIsReported();
    void portNumberNotANumberTouchesNoPort();
    void unplugShowsOneMessageAndClosedState();
    void lampsFollowInputLines();
    void lineAlreadyOnAtOpenStaysBlack();
    void largeEventShownWhole();
    void exitHidesAndKeepsPortOpen();
    void closeBoxHidesAndKeepsSending();

    void sendButtonsWriteEncodedLines_data();
    void sendButtonsWriteEncodedLines();
    void enterInLineSends();
    void dataErrorWritesNothingAndSkipsReceiveSteps();
    void emptyLineAndClosedPortChecks();
    void historyRecordsEditsNotPicks();
    void receiveClearOptionEmptiesAreasAtSend();

    void continuousSendingStartsAfterOneInterval();
    void continuousSendingStops_data();
    void continuousSendingStops();
    void intervalChangeAppliesFromNextTick();
    void tickErrorStopsWithOneMessage();
    void emptiedLineSendsZeroByte();
    void singleModeInOptionsStopsSending();

private:
    // Points COM1 at a new pseudo-terminal.
    bool linkPty();
    frmRun *load();
    frmRun *openOnPty() { return linkPty() ? load() : nullptr; }
    frmRun *openOnFake(FakeSerialPort::LineStates lines = {});
    // Starts continuous sending of one hexadecimal line on a pty.
    bool startContinuous(const QString &item, int interval = 100);
    // The terminal as the menu brings it up inside the frame.
    frmRun *runFromMenu();
    QComboBox *line(int index) const;
    QAbstractButton *button(const char *name) const;
    void click(const char *name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    void send(int index) { QTest::mouseClick(m_run->CmdSend(index), Qt::LeftButton); }
    QString area(int index) const;
    QColor lamp(const char *name) const;
    void typeInto(int lineIndex, const QString &text);
    void pick(int lineIndex, int entry);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PtyPair> m_pty;
    std::unique_ptr<frmVedira> m_frame;
    std::unique_ptr<MessageBoxRecorder> m_boxes;
    frmRun *m_run = nullptr;
    FakeSerialPort *m_fake = nullptr;
};

void tst_FrmRun::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    SetProgramFolder(m_dir->path());
    QDir(m_dir->path()).mkdir(QStringLiteral("ports"));
    ComPortNo = QStringLiteral("1");
    ComSetting = QStringLiteral("9600,n,8,1");
    SendOpt(1) = QStringLiteral("0");
    SendOpt(2) = QStringLiteral("0");
    SendOpt(3) = QStringLiteral("1000");
    ReceiveClearOpt = QStringLiteral("0");
    m_frame = std::make_unique<frmVedira>();
    m_boxes = std::make_unique<MessageBoxRecorder>();
}

void tst_FrmRun::cleanup()
{
    // A terminal from the menu belongs to the frame.
    if (m_frame && m_run == m_frame->runWindow())
        m_run = nullptr;
    delete m_run;
    m_run = nullptr;
    m_fake = nullptr;
    m_frame.reset();
    m_boxes.reset();
    m_pty.reset();
    frmRun::PortFactory = {};
    Reset();
    SetProgramFolder({});
    m_dir.reset();
}

bool tst_FrmRun::linkPty()
{
    m_pty = std::make_unique<PtyPair>();
    return m_pty->isValid()
        && QFile::link(m_pty->slavePath(), m_dir->filePath(QStringLiteral("ports/com1")));
}

frmRun *tst_FrmRun::load()
{
    m_run = new frmRun;
    m_run->show();
    m_run->Form_Load();
    return m_run;
}

frmRun *tst_FrmRun::openOnFake(FakeSerialPort::LineStates lines)
{
    frmRun::PortFactory = [this, lines] {
        auto port = std::make_unique<FakeSerialPort>();
        port->setLineStates(lines);
        m_fake = port.get();
        return std::unique_ptr<SerialPort>(std::move(port));
    };
    return load();
}

bool tst_FrmRun::startContinuous(const QString &item, int interval)
{
    SendOpt(2) = QStringLiteral("1");
    SendOpt(3) = QString::number(interval);
    // The caption follows the mode from the load.
    if (!openOnPty() || m_run->CmdSend(2)->text() != UiTexts::ContinuousSend)
        return false;
    typeInto(2, item);
    send(2);
    return m_run->CmdSend(2)->text() == UiTexts::StopSend;
}

frmRun *tst_FrmRun::runFromMenu()
{
    m_frame->show();
    if (!linkPty())
        return nullptr;
    m_frame->memRun_Click();
    m_run = m_frame->runWindow();
    return m_run;
}

QComboBox *tst_FrmRun::line(int index) const
{
    return m_run->findChild<QComboBox *>(QStringLiteral("CobSend%1").arg(index + 1));
}

QAbstractButton *tst_FrmRun::button(const char *name) const
{
    return m_run->findChild<QAbstractButton *>(QString::fromLatin1(name));
}

QString tst_FrmRun::area(int index) const
{
    return m_run->findChild<ReceiveView *>(QStringLiteral("txtReceive_%1").arg(index))->text();
}

QColor tst_FrmRun::lamp(const char *name) const
{
    return m_run->findChild<LampShape *>(QString::fromLatin1(name))->fillColor();
}

void tst_FrmRun::typeInto(int lineIndex, const QString &text)
{
    QLineEdit *edit = line(lineIndex)->lineEdit();
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(edit, text);
    QCOMPARE(edit->text(), text);
}

void tst_FrmRun::pick(int lineIndex, int entry)
{
    // Through the drop-down list, as a user picks: the combo box reports a pick, not an edit.
    QComboBox *combo = line(lineIndex);
    combo->showPopup();
    QAbstractItemView *list = combo->view();
    list->setCurrentIndex(combo->model()->index(entry, 0));
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(combo->currentText(), combo->itemText(entry));
}

void tst_FrmRun::opensAtLoadAndTogglesByCaption()
{
    QVERIFY(openOnPty());
    // Open from the load, then each click turns it over.
    for (int step = 0; step < 3; ++step) {
        const bool open = step != 1;
        if (step > 0)
            click("cmdPort");
        QCOMPARE(button("cmdPort")->text(), open ? UiTexts::ClosePort : UiTexts::OpenPort);
        QCOMPARE(PortIsOpen, open ? VbTrue : VbFalse);
        QCOMPARE(m_frame->panelText(6), open ? UiTexts::PanelPortOpen : UiTexts::PanelPortClosed);
        QCOMPARE(m_run->Comm1().portOpen(), open);
    }
    QVERIFY(m_boxes->boxes().isEmpty());
}

void tst_FrmRun::receivedBytesShowThreeWays_data()
{
    QTest::addColumn<QList<QByteArray>>("events");
    QTest::addColumn<QStringList>("areas");
    QTest::newRow("41 42 0D") << QList<QByteArray> {QByteArray("\x41\x42\x0D")}
                              << QStringList {u"A B \u240D "_qs, "65 66 13 ", "41 42 D "};
    QTest::newRow("two events, no send: one line")
        << QList<QByteArray> {"AB", "Z"} << QStringList {"A B Z ", "65 66 90 ", "41 42 5A "};
}

void tst_FrmRun::receivedBytesShowThreeWays()
{
    QFETCH(QList<QByteArray>, events);
    QFETCH(QStringList, areas);
    QVERIFY(openOnPty());
    qsizetype total = 0;
    for (const QByteArray &bytes : events) {
        m_pty->write(bytes);
        total += bytes.size();
        QTRY_COMPARE(m_run->receiveLog().byteCount(), total);
    }
    QCOMPARE((QStringList {area(0), area(1), area(2)}), areas);
}

void tst_FrmRun::lineBreakOnlyOnSendAfterData()
{
    QVERIFY(openOnPty());
    typeInto(2, QStringLiteral("01"));
    // The first send with empty areas adds no break.
    send(2);
    QCOMPARE(m_pty->read(1), QByteArray("\x01"));
    QCOMPARE(area(2), QString());
    m_pty->write("A");
    QTRY_COMPARE(m_run->receiveLog().byteCount(), 1);
    send(2);
    send(2);
    QCOMPARE(m_pty->read(2), QByteArray("\x01\x01"));
    m_pty->write("B");
    QTRY_COMPARE(m_run->receiveLog().byteCount(), 2);
    // Two sends with no data between them: one break only.
    QCOMPARE(area(2), QStringLiteral("41 \r\n42 "));
    QCOMPARE(area(1), QStringLiteral("65 \r\n66 "));
    QCOMPARE(area(0), QStringLiteral("A \r\nB "));

    // After clearing, the next send adds no break: the hexadecimal area is empty.
    click("cmdReceive");
    QCOMPARE(area(0) + area(1) + area(2), QString());
    send(2);
    QCOMPARE(area(2), QString());
}

void tst_FrmRun::heldPortIsReported()
{
    QVERIFY(linkPty());
    QSerialPortAdapter other;
    other.setCommPort(1);
    other.setPortOpen(true);
    load();
    QCOMPARE(m_boxes->texts(), QStringList {UiTexts::PortHeld});
    QCOMPARE(m_boxes->boxes().first().title, UiTexts::ErrorTitle);
    QCOMPARE(m_boxes->boxes().first().icon, QMessageBox::Warning);
    QCOMPARE(button("cmdPort")->text(), UiTexts::OpenPort);
    QCOMPARE(PortIsOpen, VbFalse);
    QCOMPARE(m_frame->panelText(6), QString());
    QVERIFY(m_run->isVisible());
}

void tst_FrmRun::missingDeviceIsReported()
{
    QFile::link(m_dir->filePath(QStringLiteral("no-such-device")),
        m_dir->filePath(QStringLiteral("ports/com1")));
    load();
    QCOMPARE(m_boxes->texts(), QStringList {UiTexts::PortOpenError});
    QCOMPARE(button("cmdPort")->text(), UiTexts::OpenPort);
    QCOMPARE(PortIsOpen, VbFalse);
    // The user can try again with the button, and gets the same answer.
    click("cmdPort");
    QCOMPARE(m_boxes->texts(), (QStringList {UiTexts::PortOpenError, UiTexts::PortOpenError}));
}

void tst_FrmRun::portNumberNotANumberTouchesNoPort()
{
    ComPortNo = QStringLiteral("abc");
    QVERIFY(openOnFake());
    QCOMPARE(m_boxes->texts(), QStringList {UiTexts::DataError});
    QCOMPARE(m_fake->openCount(), 0);
    QCOMPARE(PortIsOpen, VbFalse);
}

void tst_FrmRun::unplugShowsOneMessageAndClosedState()
{
    QVERIFY(startContinuous(QStringLiteral("30")));
    m_pty->closeMaster();
    QTRY_COMPARE(m_boxes->texts(), QStringList {UiTexts::PortLost});
    QCOMPARE(m_boxes->boxes().first().title, UiTexts::ErrorTitle);
    QCOMPARE(m_boxes->boxes().first().icon, QMessageBox::Warning);
    QCOMPARE(PortIsOpen, VbFalse);
    QCOMPARE(button("cmdPort")->text(), UiTexts::OpenPort);
    QCOMPARE(m_frame->panelText(6), UiTexts::PanelPortClosed);
    QCOMPARE(m_run->CmdSend(2)->text(), UiTexts::ContinuousSend);
    QVERIFY(!m_run->sendTimer()->isActive());
    QVERIFY(!m_run->Comm1().portOpen());
    QTest::qWait(300);
    QCOMPARE(m_boxes->boxes().size(), 1);
}

void tst_FrmRun::lampsFollowInputLines()
{
    QVERIFY(openOnFake());
    for (const char *name : {"spSD", "spRD", "spCTS", "spDSR", "spDCD", "spRI"})
        QCOMPARE(lamp(name), LampShape::Off);
    QCOMPARE(m_run->findChild<QWidget *>(QStringLiteral("LbDSR"))->property("text").toString(),
        QStringLiteral("DSR"));

    m_fake->raiseEvent(SerialPort::EvDSR, FakeSerialPort::LineStates {false, false, true});
    QTRY_COMPARE(lamp("spDSR"), LampShape::On);
    m_fake->raiseEvent(SerialPort::EvCTS, FakeSerialPort::LineStates {false, true, true});
    QTRY_COMPARE(lamp("spCTS"), LampShape::On);
    m_fake->raiseEvent(SerialPort::EvCD, FakeSerialPort::LineStates {true, true, true});
    QTRY_COMPARE(lamp("spDCD"), LampShape::On);
    m_fake->raiseEvent(SerialPort::EvDSR, FakeSerialPort::LineStates {true, true, false});
    QTRY_COMPARE(lamp("spDSR"), LampShape::Off);
    QCOMPARE(lamp("spCTS"), LampShape::On);

    // Every ring flips the lamp.
    QList<QColor> ring;
    for (int i = 0; i < 3; ++i) {
        m_fake->raiseEvent(SerialPort::EvRing);
        QTest::qWait(20);
        ring << lamp("spRI");
    }
    QCOMPARE(ring, (QList<QColor> {LampShape::On, LampShape::Off, LampShape::On}));
    QCOMPARE(lamp("spSD"), LampShape::Off);
    QCOMPARE(lamp("spRD"), LampShape::Off);
    QVERIFY(m_boxes->boxes().isEmpty());

    // Closing the port leaves every lamp as it was.
    click("cmdPort");
    QCOMPARE(button("cmdPort")->text(), UiTexts::OpenPort);
    QTest::qWait(50);
    for (const char *name : {"spCTS", "spDCD", "spRI"})
        QCOMPARE(lamp(name), LampShape::On);
}

void tst_FrmRun::lineAlreadyOnAtOpenStaysBlack()
{
    QVERIFY(openOnFake({true, true, true}));
    QVERIFY(m_run->Comm1().portOpen());
    QTest::qWait(100);
    for (const char *name : {"spCTS", "spDSR", "spDCD"})
        QCOMPARE(lamp(name), LampShape::Off);
    m_fake->raiseEvent(SerialPort::EvCTS, FakeSerialPort::LineStates {true, false, true});
    m_fake->raiseEvent(SerialPort::EvCTS, FakeSerialPort::LineStates {true, true, true});
    QTRY_COMPARE(lamp("spCTS"), LampShape::On);
}

void tst_FrmRun::largeEventShownWhole()
{
    QVERIFY(openOnFake());
    QByteArray big(40000, 'x');
    big[0] = '\x01';
    big[39999] = '\xFF';
    m_fake->feedInput(big);
    QTRY_COMPARE(m_run->receiveLog().byteCount(), 40000);
    QVERIFY(m_boxes->boxes().isEmpty());
    const QString hex = area(2);
    QVERIFY(hex.startsWith(QStringLiteral("1 78 78 ")));
    QVERIFY(hex.endsWith(QStringLiteral("78 FF ")));
    QCOMPARE(hex.size(), 1 + 1 + 39998 * 3 + 3);
}

void tst_FrmRun::exitHidesAndKeepsPortOpen()
{
    QVERIFY(runFromMenu());
    auto *sub = qobject_cast<QMdiSubWindow *>(m_run->parentWidget());
    QVERIFY(sub && sub->isVisible());
    QCOMPARE(sub->pos(), QPoint(0, 0));
    click("CmdExit");
    QVERIFY(!sub->isVisible());
    QVERIFY(m_run->Comm1().portOpen());
    QCOMPARE(PortIsOpen, VbTrue);
    m_frame->memRun_Click();
    QCOMPARE(m_frame->runWindow(), m_run);
    QVERIFY(sub->isVisible());
    QCOMPARE(button("cmdPort")->text(), UiTexts::ClosePort);
    QVERIFY(m_run->Comm1().portOpen());
}

void tst_FrmRun::closeBoxHidesAndKeepsSending()
{
    SendOpt(2) = QStringLiteral("1");
    SendOpt(3) = QStringLiteral("100");
    QVERIFY(runFromMenu());
    auto *sub = qobject_cast<QMdiSubWindow *>(m_run->parentWidget());
    line(2)->setEditText(QStringLiteral("55"));
    send(2);
    QCOMPARE(m_run->CmdSend(2)->text(), UiTexts::StopSend);
    QVERIFY(!sub->close());
    QVERIFY(!sub->isVisible());
    QCOMPARE(m_pty->read(3, 2000), QByteArray("\x55\x55\x55"));
    QCOMPARE(m_run->CmdSend(2)->text(), UiTexts::StopSend);
}

void tst_FrmRun::sendButtonsWriteEncodedLines_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("crOption");
    QTest::addColumn<QByteArray>("wire");
    const auto row = [](const char *tag, int index, const char *text, const char *cr,
                         const QByteArray &wire) {
        QTest::newRow(tag) << index << QString::fromLatin1(text) << QString::fromLatin1(cr) << wire;
    };
    row("ascii", 0, "AT", "0", "AT");
    row("ascii with CR", 0, "AT", "1", "AT\r");
    row("ascii is not parsed", 0, "1,2", "0", "1,2");
    row("decimal", 1, "65,66,67", "0", "ABC");
    row("decimal trailing comma", 1, "65,66,", "0", QByteArray("AB\0", 3));
    row("hex", 2, "41,42,43", "0", "ABC");
    row("hex all widths", 2, "ff,0A,0041", "0", "\xFF\x0A\x41");
    row("hex single comma", 2, ",", "0", QByteArray("\0\0", 2));
}

void tst_FrmRun::sendButtonsWriteEncodedLines()
{
    QFETCH(int, index);
    QFETCH(QString, text);
    QFETCH(QString, crOption);
    QFETCH(QByteArray, wire);
    SendOpt(1) = crOption;
    QVERIFY(openOnPty());
    typeInto(index, text);
    send(index);
    QCOMPARE(m_pty->read(wire.size()), wire);
    QCOMPARE(m_pty->readFor(100), QByteArray());
    QVERIFY(m_boxes->boxes().isEmpty());
}

void tst_FrmRun::enterInLineSends()
{
    QVERIFY(openOnPty());
    // The initial texts, sent as they stand: Big5 for the ASCII line.
    // Keys reach the combo box, which hands them to its line edit.
    QTest::keyClick(line(0), Qt::Key_Return);
    QCOMPARE(m_pty->read(9),
        QByteArray("\xA8\xD2\xA6\x70\xA1\x47"
                   "ABC"));
    QTest::keyClick(line(1), Qt::Key_Return);
    QCOMPARE(m_pty->read(3), QByteArray("\x00\x42\x43", 3));
    QTest::keyClick(line(2), Qt::Key_Enter);
    QCOMPARE(m_pty->read(3), QByteArray("\x00\x42\x43", 3));
    // Enter never adds to the list by itself.
    for (int i = 0; i < 3; ++i)
        QCOMPARE(line(i)->count(), 0);
}

void tst_FrmRun::dataErrorWritesNothingAndSkipsReceiveSteps()
{
    QVERIFY(openOnPty());
    m_pty->write("A");
    QTRY_COMPARE(m_run->receiveLog().byteCount(), 1);
    ReceiveClearOpt = QStringLiteral("1");
    typeInto(1, QStringLiteral("65,256"));
    send(1);
    QCOMPARE(m_boxes->texts(), QStringList {UiTexts::DataError});
    QCOMPARE(m_pty->readFor(150), QByteArray());
    // Neither ReceiveClear nor ReceiveEnter ran.
    QCOMPARE(area(2), QStringLiteral("41 "));
    QCOMPARE(m_run->receiveEntered(), VbFalse);
    QCOMPARE(line(1)->count(), 1);
    typeInto(2, QStringLiteral("100"));
    send(2);
    QCOMPARE(m_boxes->texts(), (QStringList {UiTexts::DataError, UiTexts::DataError}));
    QCOMPARE(m_pty->readFor(150), QByteArray());
}

void tst_FrmRun::emptyLineAndClosedPortChecks()
{
    QVERIFY(openOnPty());
    typeInto(0, QString());
    send(0);
    QCOMPARE(m_boxes->texts(), QStringList {UiTexts::NoSendData});
    QCOMPARE(line(0)->count(), 0);
    // The decimal line records even an empty edit before it checks.
    typeInto(1, QStringLiteral("5"));
    typeInto(1, QString());
    send(1);
    QCOMPARE(m_boxes->texts().last(), UiTexts::NoSendData);
    QCOMPARE(line(1)->count(), 1);
    QCOMPARE(line(1)->itemText(0), QString());

    click("cmdPort");
    m_boxes->clear();
    typeInto(0, QStringLiteral("AT"));
    typeInto(1, QStringLiteral("65"));
    typeInto(2, QStringLiteral("41"));
    for (int i = 0; i < 3; ++i)
        send(i);
    QCOMPARE(m_boxes->texts(),
        (QStringList {UiTexts::PortNotOpen, UiTexts::PortNotOpen, UiTexts::PortNotOpen}));
    QCOMPARE(line(0)->count(), 0);
    QCOMPARE(line(1)->count(), 2);
    QCOMPARE(line(1)->itemText(1), QStringLiteral("65"));
    QCOMPARE(line(2)->count(), 0);
    QCOMPARE(m_pty->readFor(100), QByteArray());
}

void tst_FrmRun::historyRecordsEditsNotPicks()
{
    QVERIFY(openOnPty());
    typeInto(2, QStringLiteral("41"));
    send(2);
    typeInto(2, QStringLiteral("42"));
    send(2);
    QCOMPARE(m_pty->read(2), QByteArray("AB"));
    QCOMPARE(line(2)->count(), 2);
    // Sending again without an edit records nothing.
    send(2);
    QCOMPARE(line(2)->count(), 2);
    // A pick from the list is not an edit.
    pick(2, 0);
    QCOMPARE(line(2)->currentText(), QStringLiteral("41"));
    send(2);
    QCOMPARE(m_pty->read(2), QByteArray("BA"));
    QCOMPARE(line(2)->count(), 2);
    // Typing the same text again is, and duplicates are kept in order.
    typeInto(2, QStringLiteral("41"));
    send(2);
    QCOMPARE(m_pty->read(1), QByteArray("A"));
    QCOMPARE(line(2)->count(), 3);
    QStringList items;
    for (int i = 0; i < line(2)->count(); ++i)
        items << line(2)->itemText(i);
    QCOMPARE(items, (QStringList {"41", "42", "41"}));
}

void tst_FrmRun::receiveClearOptionEmptiesAreasAtSend()
{
    ReceiveClearOpt = QStringLiteral("1");
    QVERIFY(openOnPty());
    m_pty->write("AB");
    QTRY_COMPARE(m_run->receiveLog().byteCount(), 2);
    typeInto(0, QStringLiteral("x"));
    send(0);
    QCOMPARE(m_pty->read(1), QByteArray("x"));
    QCOMPARE(area(0) + area(1) + area(2), QString());
    m_pty->write("C");
    QTRY_COMPARE(m_run->receiveLog().byteCount(), 1);
    typeInto(1, QStringLiteral("1"));
    send(1);
    QCOMPARE(area(2), QString());
}

void tst_FrmRun::continuousSendingStartsAfterOneInterval()
{
    QVERIFY(startContinuous(QStringLiteral("07"), 300));
    QVERIFY(m_run->sendTimer()->isActive());
    QCOMPARE(m_run->sendTimer()->interval(), 300);
    QCOMPARE(m_pty->readFor(150), QByteArray());
    QCOMPARE(m_pty->read(2, 2000), QByteArray("\x07\x07"));
    QCOMPARE(line(2)->count(), 1);
}

void tst_FrmRun::continuousSendingStops_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("button") << "button";
    QTest::newRow("closing the port") << "port";
    QTest::newRow("exit button") << "exit";
}

void tst_FrmRun::continuousSendingStops()
{
    QFETCH(QString, how);
    QVERIFY(startContinuous(QStringLiteral("33")));
    QCOMPARE(m_pty->read(1, 2000), QByteArray("3"));
    if (how == QLatin1String("button"))
        send(2);
    else if (how == QLatin1String("port"))
        click("cmdPort");
    else
        click("CmdExit");
    QCOMPARE(m_run->CmdSend(2)->text(), UiTexts::ContinuousSend);
    QVERIFY(!m_run->sendTimer()->isActive());
    if (how != QLatin1String("port")) {
        m_pty->readFor(50);
        QCOMPARE(m_pty->readFor(300), QByteArray());
    }
    QVERIFY(m_boxes->boxes().isEmpty());
}

void tst_FrmRun::intervalChangeAppliesFromNextTick()
{
    QVERIFY(startContinuous(QStringLiteral("44"), 1000));
    SendOpt(3) = QStringLiteral("100");
    QCOMPARE(m_run->sendTimer()->interval(), 1000);
    QCOMPARE(m_pty->read(1, 2000), QByteArray("D"));
    QCOMPARE(m_run->sendTimer()->interval(), 100);
    QCOMPARE(m_pty->read(3, 1000), QByteArray("DDD"));
}

void tst_FrmRun::tickErrorStopsWithOneMessage()
{
    QVERIFY(startContinuous(QStringLiteral("45")));
    QCOMPARE(m_pty->read(1, 2000), QByteArray("E"));
    line(2)->setEditText(QStringLiteral("100"));
    QTRY_COMPARE(m_boxes->texts(), QStringList {UiTexts::DataError});
    QCOMPARE(m_run->CmdSend(2)->text(), UiTexts::ContinuousSend);
    QVERIFY(!m_run->sendTimer()->isActive());
    QTest::qWait(350);
    QCOMPARE(m_boxes->boxes().size(), 1);
    QCOMPARE(m_pty->readFor(50), QByteArray());
}

void tst_FrmRun::emptiedLineSendsZeroByte()
{
    QVERIFY(startContinuous(QStringLiteral("46")));
    QCOMPARE(m_pty->read(1, 2000), QByteArray("F"));
    typeInto(2, QString());
    m_pty->readFor(120);
    QCOMPARE(m_pty->read(2, 1000), QByteArray("\0\0", 2));
    // A stop click with the line empty is refused, and sending goes on.
    send(2);
    QCOMPARE(m_boxes->texts(), QStringList {UiTexts::NoSendData});
    QCOMPARE(m_run->CmdSend(2)->text(), UiTexts::StopSend);
    QCOMPARE(m_pty->read(1, 1000), QByteArray("\0", 1));
}

void tst_FrmRun::singleModeInOptionsStopsSending()
{
    QVERIFY(startContinuous(QStringLiteral("47")));
    QCOMPARE(m_pty->read(1, 2000), QByteArray("G"));
    bool answered = false;
    QTimer::singleShot(50, this, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        QTest::mouseClick(
            dialog->findChild<QAbstractButton *>(QStringLiteral("optA_0")), Qt::LeftButton);
        QTest::mouseClick(
            dialog->findChild<QAbstractButton *>(QStringLiteral("CmdOk")), Qt::LeftButton);
        answered = true;
    });
    click("cmdOpt3");
    QVERIFY(answered);
    QCOMPARE(SendOpt(2), QStringLiteral("0"));
    QCOMPARE(m_run->CmdSend(2)->text(), UiTexts::SingleSend);
    QVERIFY(!m_run->sendTimer()->isActive());
    m_pty->readFor(50);
    QCOMPARE(m_pty->readFor(300), QByteArray());
}

QTEST_MAIN(tst_FrmRun)
#include "tst_frmrun.moc"
