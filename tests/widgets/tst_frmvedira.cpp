// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmshow.h"
#include "app/frmvedira.h"
#include "core/programfolders.h"
#include "resources/qttranslation.h"
#include "settings/module1.h"
#include "tests/support/messageboxrecorder.h"
#include "tools/frmabout.h"
#include "tools/frmascii.h"
#include "tools/frmcrcbook.h"
#include "ui/designfonts.h"
#include "ui/mdichild.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Module1;

class tst_FrmVedira : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The splash sets the send options and, on its one tick two seconds on, shows the frame
    // maximised with the stored port, reading the settings without making a file and showing the
    // clock. Restored, the client area has the designed size. Both ways out ask, Yes by default;
    // only Quit ends the program, the frame never closes.
    void startUp()
    {
        QTemporaryDir dir;
        ProgramFolders::setProgram(dir.path());
        QPointer<frmShow> splash = new frmShow;
        connect(splash, &frmShow::timeUp, &frmVedira::showFrame);
        splash->Form_Load();
        QVERIFY(!frmVedira::instance());
        QCOMPARE(splash->timer()->interval(), 2000);
        QMetaObject::invokeMethod(splash->timer(), "timeout");
        std::unique_ptr<frmVedira> frame(frmVedira::instance());
        QTRY_VERIFY(splash.isNull());
        QVERIFY(frame->isMaximized());
        QCOMPARE(SendOpt(1) + SendOpt(2) + ReceiveClearOpt + SendOpt(3), "0001000");
        QCOMPARE(frame->panelText(1), "COM1");
        QCOMPARE(frame->panelText(2), "9600,n,8,1");
        QCOMPARE(frame->panelText(6), "通訊埠關閉");
        QVERIFY(!frame->panelText(4).isEmpty());
        QVERIFY(QDir(dir.path()).isEmpty());
        frame->showNormal();
        QTRY_COMPARE(frame->size() - QSize(0, frame->menuBar()->height()), QSize(413, 295));

        static int quits = 0;
        frmVedira::Quit = [] { ++quits; };
        auto boxes = std::make_unique<MessageBoxRecorder>();
        boxes->answerNext(QMessageBox::No);
        frame->findChild<QAction *>("memEnd")->trigger();
        QCOMPARE(quits, 0);
        QVERIFY(!frame->close());
        QVERIFY(frame->isVisible());
        QCOMPARE(quits, 1);

        // The real box, with Qt's Chinese: its buttons, then No.
        boxes.reset();
        if (!QtTranslation::install())
            QSKIP("Qt's Traditional Chinese translation is not installed");
        QStringList buttons;
        QTimer::singleShot(0, [&buttons] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            for (QAbstractButton *b : box->buttons())
                buttons << b->text();
            box->button(QMessageBox::No)->click();
        });
        frame->memEnd_Click();
        QCOMPARE(buttons, (QStringList {"是(&Y)", "否(&N)"}));
        QCOMPARE(quits, 1);
        frame.reset();
        QCOMPARE(frmVedira::instance(), nullptr);
    }

    // Each menu command is found by its name, as test tools and scripts find it.
    void menus_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("enabled");
        for (const auto &[name, text, enabled] : {std::tuple {"memSet", "設定(&S)", true},
                 {"memRun", "執行(&R)", true}, {"memModem", "數據機(&M)", false},
                 {"memCheck", "檢查碼(&B)", true}, {"memASC", "ASCII碼(I)", true},
                 {"memCalc", "計算機(&C)", true}, {"memWindow", "視窗(&W)", true},
                 {"memAbout", "說明(&A)", true}, {"memAbout1", "內容", false},
                 {"memAbout2", "關於", true}, {"memEnd", "結束(&E)", true}})
            QTest::newRow(name) << QString(text) << enabled;
    }
    void menus()
    {
        QFETCH(QString, text);
        QFETCH(bool, enabled);
        frmVedira frame;
        const QObject *command = frame.findChild<QObject *>(QTest::currentDataTag());
        QVERIFY(command);
        QCOMPARE(command->property(command->inherits("QMenu") ? "title" : "text").toString(), text);
        QCOMPARE(command->property("enabled").toBool(), enabled);
    }

    // The window menu lists the windows shown, the active one checked, and activates the one
    // picked; a menu command brings its window to the front again.
    void windowMenu()
    {
        QTemporaryDir dir;
        ProgramFolders::setProgram(dir.path());
        MessageBoxRecorder boxes; // no port to open
        frmVedira frame;
        frame.show();
        frame.memRun_Click();
        frame.memCheck_Click();
        auto *menu = frame.findChild<QMenu *>("memWindow");
        const auto listed = [menu] {
            Q_EMIT menu->aboutToShow();
            QStringList entries;
            for (QAction *a : menu->actions())
                entries << (a->isChecked() ? u"* "_qs : QString()) + a->text();
            return entries;
        };
        QCOMPARE(listed(), (QStringList {"執行", "* 計算檢查碼"}));
        menu->actions().first()->trigger();
        QCOMPARE(listed(), (QStringList {"* 執行", "計算檢查碼"}));
        frame.memCheck_Click();
        const QMdiArea *area = frame.findChild<QMdiArea *>("MDIClient");
        const auto stack = area->subWindowList(QMdiArea::StackingOrder);
        QCOMPARE(stack.last()->widget()->objectName(), "frmCheck");
        QCOMPARE(area->width(), frame.width()); // the area fills the frame
    }

    // The menu runs the About box modal; 確 定 closes it.
    void aboutBox()
    {
        frmVedira frame;
        bool modal = false, closed = false;
        QTimer::singleShot(0, this, [&] {
            auto *about = frame.findChild<frmAbout *>();
            auto *ok = about->findChild<QWidget *>("CmdOk");
            modal = QApplication::activeModalWidget() == about;
            QTest::mouseClick(ok, Qt::LeftButton);
            closed = !about->isVisible();
            about->close();
        });
        frame.findChild<QAction *>("memAbout2")->trigger();
        QVERIFY(modal);
        QVERIFY(closed);
    }

    // The ASCII chart: centred on the screen's width, a quarter of the free height down, in the
    // frame's client area; a close destroys it, so every command places a new one.
    void asciiChart()
    {
        frmVedira frame;
        frame.findChild<QAction *>("memASC")->trigger();
        QPointer<frmAscii> chart = frame.findChild<frmAscii *>();
        QWidget *sub = MdiChild::frameOf(chart);
        const QSize free = frame.screen()->size() - sub->size();
        QCOMPARE(sub->pos(), QPoint(qRound(free.width() / 2.0), qRound(free.height() / 4.0)));
        sub->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!chart);
    }

    // Every line of the CRC steps whole inside their window with the look-alike fonts too.
    void crcBookFits()
    {
        DesignFonts::install();
        frmCRCbook book;
        int lines = 0;
        for (QWidget *l : book.findChildren<QWidget *>())
            lines += l->geometry().right() < book.width()
                && l->fontMetrics().horizontalAdvance(l->property("text").toString()) <= l->width();
        QCOMPARE(lines, 9);
    }
};

QTEST_MAIN(tst_FrmVedira)
#include "tst_frmvedira.moc"
