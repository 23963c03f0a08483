// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/designstyle.h"
#include "app/frmshow.h"
#include "app/frmvedira.h"
#include "core/programfolders.h"
#include "settings/module1.h"
#include "tests/support/messageboxrecorder.h"
#include "tools/frmascii.h"
#include "tools/frmcheck.h"
#include "tools/frmcrcbook.h"
#include "ui/mdichild.h"
#include "ui/uitexts.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Module1;

class tst_FrmVedira : public QObject
{
    Q_OBJECT
    static QString panel(const frmVedira &frame, int n)
    {
        return frame.findChild<QLabel *>(u"Stb1_Panel%1"_qs.arg(n))->text();
    }
    // Title or caption, size, its own font, then centred, disabled, a receive area's text colour.
    static QString look(const QWidget *w)
    {
        const QFont f = w->font();
        QStringList look {w->windowTitle() + w->property("text").toString(),
            u"%1x%2"_qs.arg(w->width()).arg(w->height())};
        if (w->testAttribute(Qt::WA_SetFont))
            look << u"%1 %2px%3"_qs.arg(f.family()).arg(f.pixelSize()).arg(f.bold() ? " bold" : "");
        if (w->property("alignment").toInt() == Qt::AlignCenter)
            look << u"centred"_qs;
        if (!w->isEnabled())
            look << u"disabled"_qs;
        if (w->inherits("ReceiveView"))
            look << w->palette().color(QPalette::Text).name();
        return look.join(u'|');
    }

private Q_SLOTS:
    // The splash sets options, then shows the frame with the stored port and clock; leaving asks.
    void startUp()
    {
        QTemporaryDir dir;
        ProgramFolders::setProgram(dir.path());
        int quits = 0;
        frmVedira frame({.quit = [&quits] { ++quits; }});
        QPointer<frmShow> splash = new frmShow;
        frame.startAfter(splash);
        splash->Form_Load();
        QVERIFY(!frame.isVisible());
        QMetaObject::invokeMethod(splash->findChild<QTimer *>("Timedelay"), "timeout");
        QTRY_VERIFY(splash.isNull());
        QVERIFY(frame.isMaximized());
        QCOMPARE(SendOpt(1) + SendOpt(2) + ReceiveClearOpt + SendOpt(3), "0001000");
        QCOMPARE((QStringList {panel(frame, 1), panel(frame, 2), panel(frame, 6)}),
            (QStringList {"COM1", "9600,n,8,1", "通訊埠關閉"})); // port, settings, state
        QVERIFY(QDir(dir.path()).isEmpty());
        QCOMPARE(frame.findChild<QLabel *>(u"Stb1_Panel1"_qs)->minimumWidth(), 67); // fixed
        QCOMPARE(frame.findChild<QLabel *>(u"Stb1_Panel3"_qs)->width(), 96); // the date's, no wider
        QVERIFY(!panel(frame, 4).isEmpty()); // the time, from the start
        frame.setPanelText(3, {});
        auto *clock = frame.findChild<QTimer *>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(clock->isActive());
        QCOMPARE(clock->interval(), 1000); // the clock follows the second
        QMetaObject::invokeMethod(clock, "timeout");
        QCOMPARE(panel(frame, 3), QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));

        MessageBoxRecorder boxes;
        boxes.answerNext(QMessageBox::No);
        frame.findChild<QAction *>("memEnd")->trigger();
        QCOMPARE(boxes.boxes().value(0).buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(quits, 0);
        QVERIFY(!frame.close()); // the frame stays until the quit ends the loop
        QCOMPARE(quits, 1);
    }

    // An error box's second line is its informative text, under the fixed one, read by a reader.
    void boxes()
    {
        QStringList shown;
        QTimer::singleShot(0, [&shown] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            shown << box->text() << box->informativeText();
            QAccessibleInterface *read = QAccessible::queryAccessibleInterface(box);
            for (int i = 0; i < read->childCount(); ++i)
                shown << read->child(i)->text(QAccessible::Name);
            box->button(QMessageBox::Ok)->click();
        });
        MessageBox::error(nullptr, UiTexts::PortOpenError, u"/dev/ttyS0：權限不足。"_qs);
        QCOMPARE(shown.mid(0, 2), (QStringList {UiTexts::PortOpenError, "/dev/ttyS0：權限不足。"}));
        QVERIFY(shown.mid(2).contains("/dev/ttyS0：權限不足。"));
    }

    // Parts as designed, idle commands off; the window menu lists, checks and raises windows.
    void menus()
    {
        QTemporaryDir dir;
        ProgramFolders::setProgram(dir.path());
        MessageBoxRecorder boxes; // no port to open
        frmVedira frame;
        frame.resize(1600, 900); // room beside the terminal
        frame.show();
        for (const char *command : {"memModem", "memAbout1"})
            QVERIFY2(!frame.findChild<QAction *>(command)->isEnabled(), command);
        QVERIFY(frame.findChild<QMenu *>("memAbout")->actions().value(1)->isSeparator());
        QRect about; // 關於's window, centred across and a third down the screen, till it is closed
        QTimer::singleShot(0, &frame, [&about] {
            if (QWidget *shown = QApplication::activeModalWidget())
                about = shown->frameGeometry(), shown->close();
        });
        frame.findChild<QAction *>("memAbout2")->trigger();
        QCOMPARE(about, QRect(282, 215, 236, 156));
        frame.memSet_Click();
        frame.memRun_Click();
        frame.memCheck_Click();
        const QWidget *checkFrame = MdiChild::frameOf(frame.findChild<frmCheck *>());
        QCOMPARE(checkFrame->pos(), QPoint(0, 0)); // top left, as the terminal
        QCOMPARE(MdiChild::frameOf(frame.findChild<QWidget *>("frmRun"))->pos(), QPoint(0, 0));
        QCOMPARE(checkFrame->minimumSize(), checkFrame->maximumSize()); // not to be resized
        for (const auto &[part, designed] : {std::pair {"frmRun", u"執行|762x480|新細明體 13px"_qs},
                 {"LbRI", u"RI|30x16|Arial 11px|centred"_qs},
                 {"cmdPrint", u"列印|75x53|disabled"_qs}, {"cmdRec", u"存檔|75x53|disabled"_qs},
                 {"txtReceive_0", u"|354x117|Arial 13px|#c00000"_qs},
                 {"frmSet", u"通訊設定|338x286|新細明體 13px"_qs},
                 {"Label9", u"→|24x24|新細明體 16px bold|centred"_qs},
                 {"txtSum", u"|48x24|Arial 16px"_qs}})
            QCOMPARE(look(frame.findChild<QWidget *>(part)), designed);
        QCOMPARE(frame.findChild<QWidget *>("CmdSend_1")->geometry(), QRect(360, 79, 73, 26));
        auto *menu = frame.findChild<QMenu *>("memWindow");
        const auto listed = [menu] {
            Q_EMIT menu->aboutToShow();
            QStringList entries;
            for (QAction *a : menu->actions())
                entries << (a->isChecked() ? u"* "_qs : QString()) + a->text();
            return entries;
        };
        QCOMPARE(listed(), (QStringList {"通訊設定", "執行", "* 計算檢查碼"}));
        menu->actions().at(1)->trigger();
        QCOMPARE(listed(), (QStringList {"通訊設定", "* 執行", "計算檢查碼"}));
        frame.memCheck_Click(); // a command raises its window
        QCOMPARE(listed(), (QStringList {"通訊設定", "執行", "* 計算檢查碼"}));
        QVERIFY(!MdiChild::frameOf(frame.findChild<frmCheck *>())->close()); // hidden, texts kept
        QVERIFY(!frame.findChild<frmCheck *>()->isVisible());
        frame.memCheck_Click();
        const QMdiArea *area = frame.findChild<QMdiArea *>("MDIClient");
        QCOMPARE(area->width(), frame.width()); // the windows' area fills the frame
        const auto stack = area->subWindowList(QMdiArea::StackingOrder);
        QCOMPARE(stack.last()->widget()->objectName(), "frmCheck");
        frame.findChild<QAction *>("memASC")->trigger();
        QPointer<frmAscii> chart = frame.findChild<frmAscii *>();
        MdiChild::frameOf(chart)->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!chart);
    }

    // No calculator: a box; outputs read-only, tinted; texts listed once used. Style set last.
    void calculator()
    {
        DesignStyle::install();
        MessageBoxRecorder boxes;
        frmVedira frame({.startDetached = [](const QString &) { return false; }}); // finds none
        frame.findChild<QAction *>("memCalc")->trigger();
        QCOMPARE(boxes.texts(), QStringList {UiTexts::CalcFailed});
        frame.findChild<QAction *>("memCheck")->trigger();
        auto *check = frame.findChild<frmCheck *>();
        auto *combo = check->findChild<QComboBox *>();
        const auto controls = check->findChildren<QWidget *>(QRegularExpression("^(L|F|cmd|txt)"));
        QCOMPARE(controls.size(), 24); // the arrows too
        for (QWidget *w : controls) {
            const bool output = w->objectName().startsWith("txt"); // read-only, tinted
            QCOMPARE(w->property("readOnly").toBool(), output);
            QCOMPARE(w->palette().base() != check->palette().base(), output);
        }

        // Steps by ";": "=text" types, a name clicks, Return, Enter, Down; then what shows.
        const auto run = [&](const QString &steps) {
            boxes.clear();
            for (const QString &step : steps.split(u';')) {
                if (step.startsWith(u'=')) {
                    combo->clearEditText();
                    QTest::keyClicks(combo, step.mid(1));
                } else if (step.startsWith(u'c')) {
                    QTest::mouseClick(check->findChild<QWidget *>(step), Qt::LeftButton);
                } else {
                    QTest::keyClick(combo, QKeySequence(step)[0].key());
                }
            }
            QStringList outputs;
            for (QWidget *box : check->findChildren<QWidget *>(QRegularExpression("^txt")))
                outputs << box->property("text").toString();
            QStringList seen {outputs.join(u'|')};
            for (int i = 0; i < combo->count(); ++i)
                seen << combo->itemText(i);
            return seen + boxes.texts();
        };
        const QString err = UiTexts::DataError, none = "||||||", a = "41,42,43", bad = "41,,42";
        QCOMPARE(run("cmdCrc;cmdXOR;cmdSum;=;cmdSum;=41,,42;Return;cmdXOR;cmdSum"),
            (QStringList {none, bad, err, err, err, UiTexts::NoData, err, err, err}));
        QCOMPARE(run("=41,42,43;cmdCrc;cmdXOR;cmdSum;cmdCrc"),
            (QStringList {"8550|85|50|40|34 ,30|C6|43 ,36", bad, a}));
        // The combo box must neither insert the text nor turn Enter on a listed text into a pick.
        QCOMPARE(run("=1234;Return"), (QStringList {"97AC|97|AC||||", bad, a, "1234"}));
        QCOMPARE(run("=41,42,43;Enter"), (QStringList {"8550|85|50||||", bad, a, "1234", a}));
        // A text picked from the list empties the outputs too.
        QCOMPARE(run("cmdSum;Down"), (QStringList {none, bad, a, "1234", a}));
        frame.show();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        combo->setFocus();
        combo->clearEditText();
        QTest::keyClicks(combo->lineEdit(), "12"); // the start of a listed text is not completed
        QCOMPARE(combo->currentText(), QString("12"));
        // CRC說明 shows the one help window in the frame, however often it is clicked.
        for (int i = 0; i < 2; ++i)
            QTest::mouseClick(check->findChild<QWidget *>("cmdCRCbook"), Qt::LeftButton);
        QCOMPARE(frame.findChildren<frmCRCbook *>().size(), 1);
    }
};

QTEST_MAIN(tst_FrmVedira)
#include "tst_frmvedira.moc"
