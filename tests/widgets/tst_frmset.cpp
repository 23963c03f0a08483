// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmvedira.h"
#include "app/uitexts.h"
#include "serial/serialport.h"
#include "settings/frmset.h"
#include "settings/module1.h"
#include "terminal/frmrun.h"
#include "tests/support/fakeserialport.h"
#include "tests/support/messageboxrecorder.h"
#include "tests/support/ptypair.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Module1;

class tst_FrmSet : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void storedSettingsSelectButtons_data();
    void storedSettingsSelectButtons();
    void confirmWithPortClosed();
    void confirmWithPortOpenReopensOnNewDevice();
    void cancelChangesNothing();
    void unmatchedPartsRoundTrip_data();
    void unmatchedPartsRoundTrip();
    void tooShortSettingOpensWithDesignedChoice();
    void failedReopenShowsPortClosed();
    void heldPortIsADataError();
    void fileKeepsOtherContent();
    void menuBringsLoadedDialogForward();
    void portButtonsShowTheirDevice();

private:
    frmSet *openDialog();
    QAbstractButton *option(const QString &name) const;
    void click(const QString &name);
    QString checked(const QString &group, int count) const;
    QByteArray iniBytes() const;
    void openTerminalOn(PtyPair &pty);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<frmVedira> m_frame;
    std::unique_ptr<MessageBoxRecorder> m_boxes;
    QPointer<frmSet> m_set;
};

void tst_FrmSet::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    SetProgramFolder(m_dir->path());
    QDir(m_dir->path()).mkdir(QStringLiteral("ports"));
    SendOpt(2) = QStringLiteral("0");
    m_frame = std::make_unique<frmVedira>();
    m_frame->MDIForm_Load();
    m_frame->show();
    m_boxes = std::make_unique<MessageBoxRecorder>();
}

void tst_FrmSet::cleanup()
{
    m_frame.reset();
    m_boxes.reset();
    frmRun::PortFactory = {};
    Reset();
    SetProgramFolder({});
    m_dir.reset();
}

frmSet *tst_FrmSet::openDialog()
{
    m_frame->memSet_Click();
    m_set = m_frame->findChild<frmSet *>();
    return m_set;
}

QAbstractButton *tst_FrmSet::option(const QString &name) const
{
    return m_set->findChild<QAbstractButton *>(name);
}

void tst_FrmSet::click(const QString &name)
{
    QAbstractButton *b = option(name);
    QVERIFY2(b, qPrintable(name));
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
    QVERIFY2(b->isChecked(), qPrintable(name));
}

QString tst_FrmSet::checked(const QString &group, int count) const
{
    for (int i = 0; i < count; ++i)
        if (option(QStringLiteral("%1_%2").arg(group).arg(i))->isChecked())
            return option(QStringLiteral("%1_%2").arg(group).arg(i))->text();
    return {};
}

QByteArray tst_FrmSet::iniBytes() const
{
    QFile f(m_dir->filePath(QStringLiteral("vedira.ini")));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void tst_FrmSet::openTerminalOn(PtyPair &pty)
{
    QFile::link(pty.slavePath(), m_dir->filePath(QStringLiteral("ports/com1")));
    m_frame->memRun_Click();
    QVERIFY(m_frame->runWindow());
    QCOMPARE(PortIsOpen, VbTrue);
}

void tst_FrmSet::storedSettingsSelectButtons_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QStringList>("selected");
    QTest::newRow("defaults") << "1"
                              << "9600,n,8,1"
                              << QStringList {"COM1", "9600", "無 (None)", " 8 bits", " 1 bit"};
    QTest::newRow("longest") << "10"
                             << "115200,o,7,2"
                             << QStringList {"COM10", "115200", "奇數 (Odd)", " 7 bits", " 2 bits"};
    QTest::newRow("even") << "5"
                          << "4800,e,8,2"
                          << QStringList {"COM5", "4800", "偶數 (Even)", " 8 bits", " 2 bits"};
}

void tst_FrmSet::storedSettingsSelectButtons()
{
    QFETCH(QString, port);
    QFETCH(QString, setting);
    QFETCH(QStringList, selected);
    ComPortNo = port;
    ComSetting = setting;
    QVERIFY(openDialog());
    QCOMPARE(m_set->windowTitle(), QStringLiteral("通訊設定"));
    QCOMPARE((QStringList {checked("optPort", 10), checked("optSpeed", 6), checked("optCheck", 3),
                 checked("optData", 2), checked("optStop", 2)}),
        selected);
}

void tst_FrmSet::confirmWithPortClosed()
{
    QVERIFY(openDialog());
    click("optPort_2");
    click("optSpeed_3");
    QTest::mouseClick(option("cmdSure"), Qt::LeftButton);
    QVERIFY(m_boxes->boxes().isEmpty());
    QCOMPARE(ComPortNo, QStringLiteral("3"));
    QCOMPARE(ComSetting, QStringLiteral("19200,n,8,1"));
    QCOMPARE(iniBytes(), QByteArray("[Setup]\r\ncomPort=3\r\ncomSet=19200,n,8,1\r\n"));
    QCOMPARE(m_frame->panelText(1), QStringLiteral("COM3"));
    QCOMPARE(m_frame->panelText(2), QStringLiteral("19200,n,8,1"));
    QCOMPARE(m_frame->panelText(6), UiTexts::PanelPortClosed);
    QTRY_VERIFY(m_set.isNull());
}

void tst_FrmSet::confirmWithPortOpenReopensOnNewDevice()
{
    PtyPair com1, com3;
    QVERIFY(com1.isValid() && com3.isValid());
    QFile::link(com3.slavePath(), m_dir->filePath(QStringLiteral("ports/com3")));
    openTerminalOn(com1);
    QVERIFY(openDialog());
    click("optPort_2");
    click("optSpeed_3");
    QTest::mouseClick(option("cmdSure"), Qt::LeftButton);
    QVERIFY(m_boxes->boxes().isEmpty());
    SerialPort &port = m_frame->runWindow()->Comm1();
    QVERIFY(port.portOpen());
    QCOMPARE(port.commPort(), qint16(3));
    QCOMPARE(port.settings(), QStringLiteral("19200,n,8,1"));
    QCOMPARE(PortIsOpen, VbTrue);
    QCOMPARE(m_frame->panelText(6), UiTexts::PanelPortOpen);
    port.output(QByteArray("hi"));
    QCOMPARE(com3.read(2), QByteArray("hi"));
    QCOMPARE(com1.readFor(100), QByteArray());
    QTRY_VERIFY(m_set.isNull());
}

void tst_FrmSet::cancelChangesNothing()
{
    QVERIFY(openDialog());
    const QString panel1 = m_frame->panelText(1), panel2 = m_frame->panelText(2);
    for (const char *name : {"optPort_6", "optSpeed_0", "optCheck_1", "optData_1", "optStop_0"})
        click(QString::fromLatin1(name));
    QTest::mouseClick(option("cmdCancel"), Qt::LeftButton);
    QCOMPARE(ComPortNo, QStringLiteral("1"));
    QCOMPARE(ComSetting, QStringLiteral("9600,n,8,1"));
    QCOMPARE(m_frame->panelText(1), panel1);
    QCOMPARE(m_frame->panelText(2), panel2);
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("vedira.ini"))));
    QTRY_VERIFY(m_set.isNull());
    QVERIFY(openDialog());
    QCOMPARE(checked("optPort", 10), QStringLiteral("COM1"));
    QCOMPARE(checked("optSpeed", 6), QStringLiteral("9600"));
    QCOMPARE(checked("optCheck", 3), QStringLiteral("無 (None)"));
}

void tst_FrmSet::unmatchedPartsRoundTrip_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("speedButton");
    QTest::addColumn<QString>("parityButton");
    QTest::newRow("hand-written speed") << "2400,n,8,1"
                                        << "9600"
                                        << "無 (None)";
    QTest::newRow("upper-case parity") << "9600,N,8,1"
                                       << "9600"
                                       << "無 (None)";
    QTest::newRow("both, after odd") << "300,E,8,1"
                                     << "9600"
                                     << "無 (None)";
}

void tst_FrmSet::unmatchedPartsRoundTrip()
{
    QFETCH(QString, setting);
    QFETCH(QString, speedButton);
    QFETCH(QString, parityButton);
    ComSetting = setting;
    QVERIFY(openDialog());
    QCOMPARE(checked("optSpeed", 6), speedButton);
    QCOMPARE(checked("optCheck", 3), parityButton);
    QTest::mouseClick(option("cmdSure"), Qt::LeftButton);
    QCOMPARE(ComSetting, setting);
    QVERIFY(iniBytes().contains("comSet=" + setting.toLatin1() + "\r\n"));
}

void tst_FrmSet::tooShortSettingOpensWithDesignedChoice()
{
    ComSetting = QStringLiteral("96");
    QVERIFY(openDialog());
    QCOMPARE(m_set->SpeedPart + m_set->ParityPart + m_set->DataPart + m_set->StopPart,
        QStringLiteral("9600,n,8,1"));
    QCOMPARE(checked("optSpeed", 6), QStringLiteral("9600"));
    QTest::mouseClick(option("cmdSure"), Qt::LeftButton);
    QCOMPARE(ComSetting, QStringLiteral("9600,n,8,1"));
}

void tst_FrmSet::failedReopenShowsPortClosed()
{
    PtyPair com1;
    QVERIFY(com1.isValid());
    openTerminalOn(com1);
    QFile::link(
        m_dir->filePath(QStringLiteral("gone")), m_dir->filePath(QStringLiteral("ports/com4")));
    QVERIFY(openDialog());
    click("optPort_3");
    QTest::mouseClick(option("cmdSure"), Qt::LeftButton);
    QCOMPARE(m_boxes->texts(), QStringList {UiTexts::PortOpenError});
    QCOMPARE(m_boxes->boxes().first().title, UiTexts::ErrorTitle);
    // The new settings stand, but the terminal says the port is closed, as it is.
    QCOMPARE(ComPortNo, QStringLiteral("4"));
    QVERIFY(iniBytes().contains("comPort=4\r\n"));
    QCOMPARE(m_frame->panelText(1), QStringLiteral("COM4"));
    frmRun *run = m_frame->runWindow();
    QVERIFY(!run->Comm1().portOpen());
    QCOMPARE(PortIsOpen, VbFalse);
    QCOMPARE(
        run->findChild<QAbstractButton *>(QStringLiteral("cmdPort"))->text(), UiTexts::OpenPort);
    QCOMPARE(m_frame->panelText(6), UiTexts::PanelPortClosed);
    QTest::qWait(50);
    QVERIFY(!m_set.isNull());
    // With the port closed, a second "確定" just saves and closes.
    click("optPort_0");
    QTest::mouseClick(option("cmdSure"), Qt::LeftButton);
    QCOMPARE(m_boxes->boxes().size(), 1);
    QTRY_VERIFY(m_set.isNull());
}

void tst_FrmSet::heldPortIsADataError()
{
    FakeSerialPort *fake = nullptr;
    frmRun::PortFactory = [&fake] {
        auto port = std::make_unique<FakeSerialPort>();
        fake = port.get();
        return std::unique_ptr<SerialPort>(std::move(port));
    };
    m_frame->memRun_Click();
    QCOMPARE(PortIsOpen, VbTrue);
    QVERIFY(openDialog());
    fake->failNextOpen(ErrorNumber::PortAlreadyOpen);
    QTest::mouseClick(option("cmdSure"), Qt::LeftButton);
    QCOMPARE(m_boxes->texts(), QStringList {UiTexts::DataError});
    QCOMPARE(PortIsOpen, VbFalse);
    QVERIFY(!m_set.isNull());
}

void tst_FrmSet::fileKeepsOtherContent()
{
    {
        QFile f(m_dir->filePath(QStringLiteral("vedira.ini")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("; notes\r\n[Setup]\r\ncomPort=1\r\nextra=keep\r\n\r\n[More]\r\na=b\r\n");
    }
    LoadSettings();
    QVERIFY(openDialog());
    click("optPort_1");
    click("optSpeed_3");
    click("optCheck_1");
    click("optData_1");
    click("optStop_0");
    QTest::mouseClick(option("cmdSure"), Qt::LeftButton);
    QCOMPARE(iniBytes(),
        QByteArray("; notes\r\n[Setup]\r\ncomPort=2\r\nextra=keep\r\n"
                   "comSet=19200,e,7,2\r\n\r\n[More]\r\na=b\r\n"));
}

void tst_FrmSet::menuBringsLoadedDialogForward()
{
    QVERIFY(openDialog());
    click("optSpeed_0");
    m_frame->memSet_Click();
    QCOMPARE(m_frame->findChildren<frmSet *>().size(), 1);
    QCOMPARE(m_frame->findChild<frmSet *>(), m_set.data());
    QVERIFY(option("optSpeed_0")->isChecked());
    QCOMPARE(m_set->SpeedPart, QStringLiteral("115200,"));
}

void tst_FrmSet::portButtonsShowTheirDevice()
{
    PtyPair pty;
    QFile::link(pty.slavePath(), m_dir->filePath(QStringLiteral("ports/com3")));
    QVERIFY(openDialog());
    QCOMPARE(option("optPort_2")->toolTip(), pty.slavePath());
#ifndef Q_OS_WIN
    QCOMPARE(option("optPort_4")->toolTip(), QStringLiteral("/dev/ttyS4"));
#endif
}

QTEST_MAIN(tst_FrmSet)
#include "tst_frmset.moc"
