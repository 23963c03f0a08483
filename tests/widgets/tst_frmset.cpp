// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/designstyle.h"
#include "app/frmvedira.h"
#include "core/programfolders.h"
#include "serial/serialport.h"
#include "settings/frmset.h"
#include "settings/module1.h"
#include "settings/portmapmenu.h"
#include "terminal/frmrun.h"
#include "terminal/terminalsession.h"
#include "tests/support/lockfolder.h"
#include "tests/support/messageboxrecorder.h"
#include "tests/support/ptypair.h"
#include "tests/support/sharedstate.h"
#include "ui/uitexts.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

using namespace Module1;

class tst_FrmSet : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PtyPair> m_com1, m_com3;
    MessageBoxRecorder m_boxes;
    std::unique_ptr<frmVedira> m_frame;
    QPointer<frmSet> m_set;
    PortMapMenu::Detect m_detect; // what the port menus offer

    QString panel(int n) const
    {
        return m_frame->findChild<QLabel *>(u"Stb1_Panel%1"_qs.arg(n))->text();
    }

    // Opens the dialog and clicks the named buttons; then the selection and the port panels.
    QString click(const QString &names)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_frame->findChild<QAction *>("memSet")->trigger();
        m_set = m_frame->findChild<frmSet *>("frmSet"); // by the name test tools use
        for (const QString &name : names.split(u' ', Qt::SkipEmptyParts))
            QTest::mouseClick(m_set->findChild<QWidget *>(name), Qt::LeftButton, {}, {8, 8});
        QString shown;
        for (QWidget *b : m_set->findChildren<QWidget *>())
            if (b->property("checked").toBool())
                shown += b->property("text").toString() + u'|';
        return shown + panel(1) + u' ' + panel(2);
    }

private Q_SLOTS:
    void initTestCase() { DesignStyle::install(); }
    // COM1 and COM3 are ptys, COM4 links to nothing.
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        ProgramFolders::setProgram(m_dir->path());
        QDir(m_dir->path()).mkdir("ports");
        m_com1 = std::make_unique<PtyPair>();
        m_com3 = std::make_unique<PtyPair>();
        QFile::link(m_com1->slavePath(), m_dir->filePath("ports/com1"));
        QFile::link(m_com3->slavePath(), m_dir->filePath("ports/com3"));
        QFile::link(m_dir->filePath("gone"), m_dir->filePath("ports/com4"));
        m_boxes.clear();
        m_detect = PortMapMenu::presentDevices;
        m_frame = std::make_unique<frmVedira>(
            frmVedira::Seams {.detectDevices = [this] { return m_detect(); }});
        m_frame->MDIForm_Load();
    }
    void cleanup()
    {
        m_frame.reset();
        resetSharedState();
    }

    // Stored parts no button matches keep the designed choice and are saved as they were.
    void storedSettings()
    {
        const QString designed = "COM1|9600| 1 bit| 8 bits|無 (None)|";
        ComPortNo = "11";
        ComSetting = "2400,N,9,3";
        QCOMPARE(click("cmdSure"), designed + "COM11 2400,N,9,3");
        QVERIFY(QFile::exists(m_dir->filePath("vedira.ini"))); // 確定 saves
        ComSetting = "96"; // too short to split: the designed one
        QCOMPARE(click("cmdSure"), designed + "COM11 9600,n,8,1");
        // 取消 saves nothing and reads the stored setting back; port 11 has no button to select.
        QCOMPARE(click("optPort_1 optCheck_1 cmdCancel"),
            "COM2|9600| 1 bit| 8 bits|無 (None)|COM11 9600,n,8,1");
        QTRY_VERIFY(m_set.isNull());
    }

    // An open port reopens on new settings; ones it cannot use stay, the port closed, dialog open.
    void reopensThePort()
    {
        ComPortNo = "1";
        m_frame->memRun_Click();
        click("optPort_2 optSpeed_3 optCheck_1 optData_1 optStop_0");
        const QString even = "|19200| 2 bits| 7 bits|偶數 (Even)|";
        QCOMPARE(click("cmdSure"), "COM3" + even + "COM3 19200,e,7,2");
        QCOMPARE(click("optPort_3 cmdSure"), "COM4" + even + "COM4 19200,e,7,2");
        QCOMPARE(m_boxes.texts() << panel(6),
            (QStringList {UiTexts::PortOpenError, UiTexts::PanelPortClosed}));
        QCOMPARE(m_boxes.boxes().first().detail,
            u"%1：找不到此裝置，請確認裝置已接上。"_qs.arg(m_dir->filePath("gone")));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m_set);
        // The first button of each group counts too.
        QCOMPARE(click("optPort_0 optSpeed_0 optCheck_0 optData_0 cmdSure"),
            "COM1|115200| 2 bits| 8 bits|奇數 (Odd)|COM1 115200,o,8,2");
        QTRY_VERIFY(m_set.isNull());
    }

    // COM5's menu links ports/com5 to a found device, the open port follows; removal: /dev/ttyS4.
    void portMapMenu()
    {
        ComPortNo = "1";
        m_frame->memRun_Click();
        SerialPort &port = m_frame->findChild<frmRun *>()->session().Comm1();
        PtyPair usb;
        QStringList greyed, tips, checked; // the last menu's greyed (- a line), tips, checks
        const auto menu = [this, &greyed, &tips, &checked](const QString &choice) {
            QWidget *com5 = m_set->findChild<QWidget *>("optPort_4");
            QContextMenuEvent event(
                QContextMenuEvent::Mouse, {5, 5}, com5->mapToGlobal(QPoint(5, 5)));
            QCoreApplication::sendEvent(com5, &event);
            auto *popup = m_set->findChild<QMenu *>("portMapMenu");
            greyed = tips = checked = {};
            for (QAction *a : popup->actions()) {
                if (!a->isEnabled() || a->isSeparator())
                    greyed << (a->isSeparator() ? u"-"_qs : a->text());
                if (a->isChecked())
                    checked << a->text();
                tips << (popup->isVisible() && popup->toolTipsVisible() ? a->toolTip() : QString());
                if (a->text().contains(choice))
                    a->trigger();
            }
            popup->close(); // and gone, or the next menu's findChild would meet it first
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return com5->toolTip();
        };
        click("");
        m_detect = [&usb] { return QList<PortMapMenu::Device> {{usb.slavePath(), "USB"}}; };
        QWidget *com5 = m_set->findChild<QWidget *>("optPort_4");
        QVERIFY(QFile::link(usb.slavePath(), m_dir->filePath("ports/com5"))); // behind its back
        QHelpEvent ask(QEvent::ToolTip, {5, 5}, com5->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(com5, &ask); // a tooltip asked for is told afresh
        QVERIFY(QFile::remove(m_dir->filePath("ports/com5")));
        QVERIFY(com5->toolTip().startsWith("COM5：" + usb.slavePath()));
        QCOMPARE(menu("USB"), "COM5：" + usb.slavePath() + "\n裝置存在，可以開啟");
        QCOMPARE(tips.first(), usb.slavePath()); // the device entry names its device
        QCOMPARE(
            QDir(m_dir->filePath("ports")).entryList(QDir::Files | QDir::Hidden | QDir::System),
            QString("com1 com3 com4 com5").split(' ')); // no link made on the way left
        click("optPort_4 cmdSure");
        port.output(QByteArray("ok"));
        QCOMPARE(usb.read(2), "ok");
        QVERIFY(click("").startsWith(u"COM5|"_qs)); // the stored port shown chosen
        QVERIFY(menu("移除對應").startsWith("COM5：/dev/ttyS4\n"));
        QCOMPARE(checked, QStringList {"COM5 → USB"}); // the device linked to is checked
        QVERIFY(!QFileInfo(m_dir->filePath("ports/com5")).isSymLink());
        QCOMPARE(m_boxes.texts(), QStringList());
        QVERIFY(lockFolder(m_dir->filePath("ports"), true)); // no link can be made there
        menu("USB");
        QVERIFY(lockFolder(m_dir->filePath("ports"), false));
        QVERIFY(m_boxes.texts().value(0).startsWith("無法建立 " + m_dir->filePath("ports/.com5-")));
        // A device node or file of the user's own is never replaced.
        QFile own(m_dir->filePath("ports/com5"));
        QVERIFY(own.open(QIODevice::WriteOnly) && own.write("x") == 1 && own.flush());
        menu("USB");
        QVERIFY(m_boxes.texts().last().contains("不是連結"));
        QCOMPARE(QFileInfo(own).size(), 1);
        m_detect = [] { return QList<PortMapMenu::Device> {}; };
        menu("沒有");
        QCOMPARE(greyed,
            (QStringList {"沒有偵測到序列埠裝置", "-", "移除對應（COM5 回到 /dev/ttyS4）"}));
    }
};

QTEST_MAIN(tst_FrmSet)
#include "tst_frmset.moc"
