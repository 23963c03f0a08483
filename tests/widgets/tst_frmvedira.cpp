// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmshow.h"
#include "app/frmvedira.h"
#include "app/uitexts.h"
#include "settings/module1.h"
#include "tests/support/messageboxrecorder.h"

#include <QCloseEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

class tst_FrmVedira : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void startUpShowsFrameAfterSplash();
    void menuBar();
    void exitConfirmation_data();
    void exitConfirmation();
    void windowMenuListsOpenChildren();
    void calculatorMissingShowsMessage();
    void calculatorStartsFirstInstalled();

private:
    frmVedira *startFrame();
    std::unique_ptr<QTemporaryDir> m_dir;
    int m_quits = 0;
};

void tst_FrmVedira::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    Module1::SetProgramFolder(m_dir->path());
    m_quits = 0;
    frmVedira::Quit = [this] { ++m_quits; };
}

void tst_FrmVedira::cleanup()
{
    delete frmVedira::instance();
    delete frmShow::instance();
    Module1::Reset();
    Module1::SetProgramFolder({});
    m_dir.reset();
}

frmVedira *tst_FrmVedira::startFrame()
{
    auto *splash = new frmShow;
    splash->Form_Load();
    splash->show();
    if (!QTest::qWaitFor([] { return frmVedira::instance() != nullptr; }, 5000))
        return nullptr;
    return frmVedira::instance();
}

void tst_FrmVedira::startUpShowsFrameAfterSplash()
{
    QElapsedTimer clock;
    clock.start();
    QPointer<frmShow> splash = new frmShow;
    splash->Form_Load();
    splash->show();
    QCOMPARE(Module1::SendOpt(1), QStringLiteral("0"));
    QCOMPARE(Module1::SendOpt(2), QStringLiteral("0"));
    QCOMPARE(Module1::ReceiveClearOpt, QStringLiteral("0"));
    QCOMPARE(Module1::SendOpt(3), QStringLiteral("1000"));

    QTest::qWait(1500);
    QVERIFY(!frmVedira::instance());
    QVERIFY(splash->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(frmVedira::instance() && frmVedira::instance()->isVisible(), 3000);
    QVERIFY(clock.elapsed() >= 1900);
    QTRY_VERIFY(splash.isNull());

    frmVedira *frame = frmVedira::instance();
    QVERIFY(frame->isMaximized());
    QCOMPARE(frame->windowTitle(), QStringLiteral("VEDIRA通訊測試"));
    QCOMPARE(frame->panelText(1), QStringLiteral("COM1"));
    QCOMPARE(frame->panelText(2), QStringLiteral("9600,n,8,1"));
    QCOMPARE(frame->panelText(5), QString());
    QCOMPARE(frame->panelText(6), QStringLiteral("通訊埠關閉"));
    QVERIFY(!frame->panelText(3).isEmpty());
    QVERIFY(!frame->panelText(4).isEmpty());
    QVERIFY(frame->mdiArea()->subWindowList().isEmpty());
    // Reading the settings creates no file.
    QVERIFY(QDir(m_dir->path()).isEmpty());
}

void tst_FrmVedira::menuBar()
{
    frmVedira frame;
    QStringList captions;
    for (QAction *a : frame.menuBar()->actions())
        captions << a->text();
    QCOMPARE(captions,
        (QStringList {"設定(&S)", "執行(&R)", "數據機(&M)", "檢查碼(&B)", "ASCII碼(I)",
            "計算機(&C)", "視窗(&W)", "說明(&A)", "結束(&E)"}));
    auto *modem = frame.findChild<QAction *>(QStringLiteral("memModem"));
    QVERIFY(modem && !modem->isEnabled());
    auto *help = frame.findChild<QMenu *>(QStringLiteral("memAbout"));
    QVERIFY(help);
    const auto entries = help->actions();
    QCOMPARE(entries.size(), 3);
    QCOMPARE(entries[0]->text(), QStringLiteral("內容"));
    QVERIFY(!entries[0]->isEnabled());
    QVERIFY(entries[1]->isSeparator());
    QCOMPARE(entries[2]->text(), QStringLiteral("關於"));

    // Restored, the area below the menu bar has the designed size, status bar included.
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QCOMPARE(frame.size() - QSize(0, frame.menuBar()->height()), QSize(6195 / 15, 4425 / 15));
}

void tst_FrmVedira::exitConfirmation_data()
{
    QTest::addColumn<bool>("fromMenu");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("quits");
    QTest::newRow("menu, yes") << true << int(QMessageBox::Yes) << 1;
    QTest::newRow("menu, no") << true << int(QMessageBox::No) << 0;
    QTest::newRow("close box, yes") << false << int(QMessageBox::Yes) << 1;
    QTest::newRow("close box, no") << false << int(QMessageBox::No) << 0;
}

void tst_FrmVedira::exitConfirmation()
{
    QFETCH(bool, fromMenu);
    QFETCH(int, answer);
    QFETCH(int, quits);
    frmVedira *frame = startFrame();
    QVERIFY(frame);
    MessageBoxRecorder boxes;
    boxes.answerNext(QMessageBox::StandardButton(answer));
    if (fromMenu)
        frame->findChild<QAction *>(QStringLiteral("memEnd"))->trigger();
    else
        QVERIFY(!frame->close());
    QCOMPARE(boxes.boxes().size(), 1);
    const auto &box = boxes.boxes().first();
    QCOMPARE(box.title, QStringLiteral("結束"));
    QCOMPARE(box.text, QStringLiteral("     是否確定脫離 ?"));
    QCOMPARE(box.icon, QMessageBox::Question);
    QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.defaultButton, QMessageBox::Yes);
    QCOMPARE(m_quits, quits);
    // The frame never closes by itself: only Quit ends the program.
    QVERIFY(frame->isVisible());
}

void tst_FrmVedira::windowMenuListsOpenChildren()
{
    frmVedira frame;
    frame.show();
    auto *windows = frame.findChild<QMenu *>(QStringLiteral("memWindow"));
    auto captions = [windows] {
        Q_EMIT windows->aboutToShow();
        QStringList out;
        for (QAction *a : windows->actions())
            out << a->text();
        return out;
    };
    QCOMPARE(captions(), QStringList());
    frame.memSet_Click();
    frame.memCheck_Click();
    QCOMPARE(captions(), (QStringList {"通訊設定", "計算檢查碼"}));
    // A hidden calculator is not an open window; choosing an entry activates that window.
    QMdiSubWindow *check = frame.mdiArea()->activeSubWindow();
    QVERIFY(check);
    QVERIFY(!check->close());
    QCOMPARE(captions(), QStringList {"通訊設定"});
    frame.memCheck_Click();
    captions();
    windows->actions().first()->trigger();
    QCOMPARE(frame.mdiArea()->activeSubWindow()->windowTitle(), QStringLiteral("通訊設定"));
}

void tst_FrmVedira::calculatorMissingShowsMessage()
{
    frmVedira frame;
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", m_dir->path().toLocal8Bit());
    QStringList started;
    frmVedira::StartDetached = [&](const QString &p) {
        started << p;
        return true;
    };
    MessageBoxRecorder boxes;
    frame.memCalc_Click();
    qputenv("PATH", oldPath);
    QVERIFY(started.isEmpty());
    QCOMPARE(boxes.texts(), QStringList {QStringLiteral("無法啟動計算機")});
    QCOMPARE(boxes.boxes().first().title, QStringLiteral("錯誤"));
    QCOMPARE(boxes.boxes().first().icon, QMessageBox::Warning);
}

void tst_FrmVedira::calculatorStartsFirstInstalled()
{
    frmVedira frame;
    // Only the last two candidates are installed; the first of them is started.
    for (const char *name : {"qalculate-gtk", "xcalc"}) {
        QFile f(m_dir->filePath(QString::fromLatin1(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n");
        f.close();
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", m_dir->path().toLocal8Bit());
    QStringList started;
    frmVedira::StartDetached = [&](const QString &p) {
        started << p;
        return true;
    };
    MessageBoxRecorder boxes;
    frame.memCalc_Click();
    frame.memCalc_Click();
    qputenv("PATH", oldPath);
    QCOMPARE(started, (QStringList {"qalculate-gtk", "qalculate-gtk"}));
    QVERIFY(boxes.boxes().isEmpty());
}

QTEST_MAIN(tst_FrmVedira)
#include "tst_frmvedira.moc"
