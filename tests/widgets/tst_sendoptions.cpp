// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/designfonts.h"
#include "app/uitexts.h"
#include "settings/module1.h"
#include "terminal/frmopt1.h"
#include "terminal/frmopt3.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

enum class CloseBy { CmdOk, CloseBox, Escape };

void startUpValues()
{
    Module1::SendOpt(1) = QStringLiteral("0");
    Module1::SendOpt(2) = QStringLiteral("0");
    Module1::SendOpt(3) = QStringLiteral("1000");
    Module1::ReceiveClearOpt = QStringLiteral("0");
}

template<class T = QRadioButton> T *control(QWidget *dialog, const char *name)
{
    T *w = dialog->findChild<T *>(QLatin1String(name));
    if (!w)
        qFatal("no control %s", name);
    return w;
}

// An option button takes clicks on its circle and caption only, not on the blank to their right.
void click(QWidget *dialog, const char *name)
{
    auto *button = control<QAbstractButton>(dialog, name);
    const QPoint at = qobject_cast<QRadioButton *>(button) ? QPoint(8, button->height() / 2)
                                                           : button->rect().center();
    QTest::mouseClick(button, Qt::LeftButton, {}, at);
}

QStringList checkedButtons(QWidget *dialog)
{
    QStringList names;
    for (QRadioButton *b : dialog->findChildren<QRadioButton *>()) {
        if (b->isChecked())
            names << b->objectName();
    }
    names.sort();
    return names;
}

QStringList intervalButtons()
{
    QStringList names;
    for (int i = 0; i < 8; ++i)
        names << QStringLiteral("optC_%1").arg(i);
    return names;
}

void closeDialog(QDialog *dialog, CloseBy way)
{
    switch (way) {
    case CloseBy::CmdOk:
        click(dialog, "CmdOk");
        break;
    case CloseBy::CloseBox:
        dialog->close();
        break;
    case CloseBy::Escape:
        QTest::keyClick(dialog, Qt::Key_Escape);
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(CloseBy)

class tst_SendOptions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void captions_data();
    void captions();
    void layoutFitsCaptions_data();
    void layoutFitsCaptions();
    void opt3Layout();

    void opt1Load_data();
    void opt1Load();
    void opt1ClicksStore();
    void opt1Closing_data();
    void opt1Closing();

    void opt3StartUpValues();
    void opt3Load_data();
    void opt3Load();
    void opt3ClickStores_data();
    void opt3ClickStores();
    void opt3ModeEnablesIntervalAtOnce();
    void opt3GreyedIntervalIgnoresClicks();
    void opt3Closing_data();
    void opt3Closing();
    void opt3AppliesOnlyOnClosing();
    void opt3CloseBoxKeepsChoices();
};

void tst_SendOptions::initTestCase()
{
    DesignFonts::install();
}

void tst_SendOptions::init()
{
    startUpValues();
}

void tst_SendOptions::cleanup()
{
    Module1::Reset();
}

void tst_SendOptions::captions_data()
{
    QTest::addColumn<int>("dialog");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");

    QTest::newRow("opt1 title") << 1 << "frmOpt1"
                                << "ASCII碼字元,傳送參數設定";
    QTest::newRow("opt1 FrameA") << 1 << "FrameA"
                                 << "傳送資料";
    QTest::newRow("opt1 optA_0") << 1 << "optA_0"
                                 << "不加入任何字元";
    QTest::newRow("opt1 optA_1") << 1 << "optA_1"
                                 << "最終加入 CR 字元";
    QTest::newRow("opt1 CmdOk") << 1 << "CmdOk"
                                << "確 定";
    QTest::newRow("opt3 title") << 3 << "frmOpt3"
                                << "16進制字元,傳送參數設定";
    QTest::newRow("opt3 FrameA") << 3 << "FrameA"
                                 << "傳送方式";
    QTest::newRow("opt3 optA_0") << 3 << "optA_0"
                                 << "單筆傳送";
    QTest::newRow("opt3 optA_1") << 3 << "optA_1"
                                 << "連續傳送";
    QTest::newRow("opt3 FrameB") << 3 << "FrameB"
                                 << "接收區";
    QTest::newRow("opt3 optB_0") << 3 << "optB_0"
                                 << "不清除";
    QTest::newRow("opt3 optB_1") << 3 << "optB_1"
                                 << "清除";
    QTest::newRow("opt3 FrameC") << 3 << "FrameC"
                                 << "連續傳送時間";
    const char *intervals[] = {"0.1秒", "0.2秒", "0.3秒", "0.5秒", "1秒", "2秒", "3秒", "5秒"};
    for (int i = 0; i < 8; ++i) {
        const QString name = QStringLiteral("optC_%1").arg(i);
        QTest::addRow("opt3 %s", qPrintable(name)) << 3 << name << QString::fromUtf8(intervals[i]);
    }
    QTest::newRow("opt3 CmdOk") << 3 << "CmdOk"
                                << "確 定";
}

void tst_SendOptions::captions()
{
    QFETCH(int, dialog);
    QFETCH(QString, name);
    QFETCH(QString, caption);

    QPushButton cmdSend2(UiTexts::SingleSend);
    QTimer timerSend;
    std::unique_ptr<QDialog> dlg;
    if (dialog == 1)
        dlg = std::make_unique<frmOpt1>();
    else
        dlg = std::make_unique<frmOpt3>(&cmdSend2, &timerSend);

    if (name == dlg->objectName()) {
        QCOMPARE(dlg->windowTitle(), caption);
        return;
    }
    QWidget *w = dlg->findChild<QWidget *>(name);
    QVERIFY2(w, qPrintable(name));
    if (auto *frame = qobject_cast<QGroupBox *>(w))
        QCOMPARE(frame->title(), caption);
    else if (auto *button = qobject_cast<QAbstractButton *>(w))
        QCOMPARE(button->text(), caption);
    else
        QFAIL("neither a frame nor a button");
}

void tst_SendOptions::layoutFitsCaptions_data()
{
    QTest::addColumn<int>("dialog");
    QTest::newRow("frmOpt1") << 1;
    QTest::newRow("frmOpt3") << 3;
}

// Every control lies inside its parent and is wide enough for its caption in the design font.
void tst_SendOptions::layoutFitsCaptions()
{
    QFETCH(int, dialog);
    QPushButton cmdSend2(UiTexts::SingleSend);
    QTimer timerSend;
    std::unique_ptr<QDialog> dlg;
    if (dialog == 1)
        dlg = std::make_unique<frmOpt1>();
    else
        dlg = std::make_unique<frmOpt3>(&cmdSend2, &timerSend);
    dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));

    QCOMPARE(dlg->minimumSize(), dlg->maximumSize());
    const auto children = dlg->findChildren<QWidget *>();
    QVERIFY(children.size() >= 4);
    for (QWidget *w : children) {
        const QString name = w->objectName();
        QVERIFY2(w->parentWidget()->rect().contains(w->geometry()), qPrintable(name));
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(name));
        if (auto *frame = qobject_cast<QGroupBox *>(w)) {
            const int titleWidth = frame->fontMetrics().horizontalAdvance(frame->title());
            QVERIFY2(titleWidth + 20 <= frame->width(), qPrintable(name));
        }
    }
}

void tst_SendOptions::opt3Layout()
{
    QPushButton cmdSend2(UiTexts::SingleSend);
    QTimer timerSend;
    frmOpt3 dlg(&cmdSend2, &timerSend);
    const auto geo = [&](const char *name) { return control<QWidget>(&dlg, name)->geometry(); };

    QVERIFY(geo("FrameA").right() < geo("FrameB").left());
    QCOMPARE(geo("FrameA").top(), geo("FrameB").top());
    QVERIFY(geo("FrameC").top() > geo("FrameA").bottom());
    QVERIFY(geo("FrameC").top() > geo("FrameB").bottom());
    QVERIFY(geo("CmdOk").top() > geo("FrameC").bottom());
    QVERIFY(geo("CmdOk").left() > dlg.width() / 2);
    const auto frameOf
        = [&](const char *name) { return control(&dlg, name)->parentWidget()->objectName(); };
    QCOMPARE(frameOf("optA_0"), QStringLiteral("FrameA"));
    QCOMPARE(frameOf("optA_1"), QStringLiteral("FrameA"));
    QCOMPARE(frameOf("optB_0"), QStringLiteral("FrameB"));
    QCOMPARE(frameOf("optB_1"), QStringLiteral("FrameB"));
    for (int i = 0; i < 8; ++i)
        QCOMPARE(frameOf(qPrintable(QStringLiteral("optC_%1").arg(i))), QStringLiteral("FrameC"));
    QVERIFY(geo("optA_0").bottom() < geo("optA_1").top());
    QVERIFY(geo("optB_0").bottom() < geo("optB_1").top());
    for (int column = 0; column < 2; ++column) {
        for (int row = 0; row < 4; ++row) {
            const QRect r
                = control(&dlg, qPrintable(QStringLiteral("optC_%1").arg(column * 4 + row)))
                      ->geometry();
            const QRect first
                = control(&dlg, qPrintable(QStringLiteral("optC_%1").arg(column * 4)))->geometry();
            QCOMPARE(r.left(), first.left());
            if (row > 0) {
                const QRect above
                    = control(&dlg, qPrintable(QStringLiteral("optC_%1").arg(column * 4 + row - 1)))
                          ->geometry();
                QVERIFY(r.top() > above.bottom());
            }
        }
    }
    QVERIFY(geo("optC_4").left() > geo("optC_0").right());
}

void tst_SendOptions::opt1Load_data()
{
    QTest::addColumn<QString>("sendOpt1");
    QTest::addColumn<QString>("checked");
    QTest::newRow("no line end") << "0"
                                 << "optA_0";
    QTest::newRow("CR") << "1"
                        << "optA_1";
}

void tst_SendOptions::opt1Load()
{
    QFETCH(QString, sendOpt1);
    QFETCH(QString, checked);
    Module1::SendOpt(1) = sendOpt1;
    frmOpt1 dlg;
    dlg.show();
    QCOMPARE(checkedButtons(&dlg), QStringList {checked});
    QCOMPARE(Module1::SendOpt(1), sendOpt1);
}

void tst_SendOptions::opt1ClicksStore()
{
    frmOpt1 dlg;
    dlg.show();
    click(&dlg, "optA_1");
    QCOMPARE(Module1::SendOpt(1), QStringLiteral("1"));
    QCOMPARE(checkedButtons(&dlg), QStringList {"optA_1"});
    click(&dlg, "optA_0");
    QCOMPARE(Module1::SendOpt(1), QStringLiteral("0"));
    QCOMPARE(checkedButtons(&dlg), QStringList {"optA_0"});
}

void tst_SendOptions::opt1Closing_data()
{
    QTest::addColumn<CloseBy>("way");
    QTest::newRow("確 定") << CloseBy::CmdOk;
    QTest::newRow("close box") << CloseBy::CloseBox;
    QTest::newRow("Escape") << CloseBy::Escape;
}

void tst_SendOptions::opt1Closing()
{
    QFETCH(CloseBy, way);
    frmOpt1 dlg;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    click(&dlg, "optA_1");
    closeDialog(&dlg, way);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(Module1::SendOpt(1), QStringLiteral("1"));
}

void tst_SendOptions::opt3StartUpValues()
{
    QPushButton cmdSend2(UiTexts::SingleSend);
    QTimer timerSend;
    frmOpt3 dlg(&cmdSend2, &timerSend);
    dlg.show();
    QCOMPARE(checkedButtons(&dlg), (QStringList {"optA_0", "optB_0", "optC_4"}));
    QVERIFY(!control<QGroupBox>(&dlg, "FrameC")->isEnabled());
    for (const QString &name : intervalButtons())
        QVERIFY2(!control(&dlg, qPrintable(name))->isEnabled(), qPrintable(name));
    QVERIFY(control<QGroupBox>(&dlg, "FrameA")->isEnabled());
    QVERIFY(control<QGroupBox>(&dlg, "FrameB")->isEnabled());
}

void tst_SendOptions::opt3Load_data()
{
    QTest::addColumn<QString>("sendOpt2");
    QTest::addColumn<QString>("receiveClear");
    QTest::addColumn<QString>("sendOpt3");
    QTest::addColumn<QStringList>("checked");
    QTest::addColumn<bool>("intervalEnabled");

    QTest::newRow("continuous") << "1"
                                << "0"
                                << "1000" << QStringList {"optA_1", "optB_0", "optC_4"} << true;
    QTest::newRow("clear") << "0"
                           << "1"
                           << "1000" << QStringList {"optA_0", "optB_1", "optC_4"} << false;
    const char *intervals[] = {"100", "200", "300", "500", "1000", "2000", "3000", "5000"};
    for (int i = 0; i < 8; ++i) {
        QTest::addRow("interval %s", intervals[i])
            << "1"
            << "1" << intervals[i]
            << QStringList {"optA_1", "optB_1", QStringLiteral("optC_%1").arg(i)} << true;
    }
}

void tst_SendOptions::opt3Load()
{
    QFETCH(QString, sendOpt2);
    QFETCH(QString, receiveClear);
    QFETCH(QString, sendOpt3);
    QFETCH(QStringList, checked);
    QFETCH(bool, intervalEnabled);

    Module1::SendOpt(2) = sendOpt2;
    Module1::ReceiveClearOpt = receiveClear;
    Module1::SendOpt(3) = sendOpt3;
    QPushButton cmdSend2(UiTexts::SingleSend);
    QTimer timerSend;
    frmOpt3 dlg(&cmdSend2, &timerSend);
    dlg.show();

    QCOMPARE(checkedButtons(&dlg), checked);
    QCOMPARE(control<QGroupBox>(&dlg, "FrameC")->isEnabled(), intervalEnabled);
    for (const QString &name : intervalButtons())
        QCOMPARE(control(&dlg, qPrintable(name))->isEnabled(), intervalEnabled);
    QCOMPARE(Module1::SendOpt(2), sendOpt2);
    QCOMPARE(Module1::ReceiveClearOpt, receiveClear);
    QCOMPARE(Module1::SendOpt(3), sendOpt3);
    QCOMPARE(cmdSend2.text(), UiTexts::SingleSend);
}

void tst_SendOptions::opt3ClickStores_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("value"); // which shared value the click stores into
    QTest::addColumn<QString>("expected");

    QTest::newRow("optA_0") << "optA_0"
                            << "SendOpt(2)"
                            << "0";
    QTest::newRow("optA_1") << "optA_1"
                            << "SendOpt(2)"
                            << "1";
    QTest::newRow("optB_0") << "optB_0"
                            << "ReceiveClearOpt"
                            << "0";
    QTest::newRow("optB_1") << "optB_1"
                            << "ReceiveClearOpt"
                            << "1";
    const char *intervals[] = {"100", "200", "300", "500", "1000", "2000", "3000", "5000"};
    for (int i = 0; i < 8; ++i) {
        const QString name = QStringLiteral("optC_%1").arg(i);
        QTest::addRow("%s", qPrintable(name)) << name << "SendOpt(3)" << intervals[i];
    }
}

void tst_SendOptions::opt3ClickStores()
{
    QFETCH(QString, button);
    QFETCH(QString, value);
    QFETCH(QString, expected);

    // Start from the other choice of every group, so each click has something to change.
    Module1::SendOpt(2) = button == u"optA_1" ? QStringLiteral("0") : QStringLiteral("1");
    Module1::ReceiveClearOpt = button == u"optB_1" ? QStringLiteral("0") : QStringLiteral("1");
    Module1::SendOpt(3) = expected == u"5000" ? QStringLiteral("100") : QStringLiteral("5000");
    QPushButton cmdSend2(UiTexts::ContinuousSend);
    QTimer timerSend;
    frmOpt3 dlg(&cmdSend2, &timerSend);
    dlg.show();
    QVERIFY(!control(&dlg, qPrintable(button))->isChecked());

    click(&dlg, qPrintable(button));
    QVERIFY(control(&dlg, qPrintable(button))->isChecked());
    const QString stored = value == u"SendOpt(2)" ? Module1::SendOpt(2)
        : value == u"SendOpt(3)"                  ? Module1::SendOpt(3)
                                                  : Module1::ReceiveClearOpt;
    QCOMPARE(stored, expected);
}

void tst_SendOptions::opt3ModeEnablesIntervalAtOnce()
{
    QPushButton cmdSend2(UiTexts::SingleSend);
    QTimer timerSend;
    frmOpt3 dlg(&cmdSend2, &timerSend);
    dlg.show();

    click(&dlg, "optA_1");
    QVERIFY(control<QGroupBox>(&dlg, "FrameC")->isEnabled());
    for (const QString &name : intervalButtons())
        QVERIFY2(control(&dlg, qPrintable(name))->isEnabled(), qPrintable(name));

    click(&dlg, "optC_0");
    QCOMPARE(Module1::SendOpt(3), QStringLiteral("100"));

    click(&dlg, "optA_0");
    QVERIFY(!control<QGroupBox>(&dlg, "FrameC")->isEnabled());
    for (const QString &name : intervalButtons())
        QVERIFY2(!control(&dlg, qPrintable(name))->isEnabled(), qPrintable(name));
    QCOMPARE(Module1::SendOpt(3), QStringLiteral("100"));
    QVERIFY(control(&dlg, "optC_0")->isChecked());
}

void tst_SendOptions::opt3GreyedIntervalIgnoresClicks()
{
    QPushButton cmdSend2(UiTexts::SingleSend);
    QTimer timerSend;
    frmOpt3 dlg(&cmdSend2, &timerSend);
    dlg.show();
    click(&dlg, "optC_0");
    QCOMPARE(Module1::SendOpt(3), QStringLiteral("1000"));
    QVERIFY(control(&dlg, "optC_4")->isChecked());
}

void tst_SendOptions::opt3Closing_data()
{
    QTest::addColumn<CloseBy>("way");
    QTest::addColumn<QString>("sendOpt2"); // at load
    QTest::addColumn<QString>("pick"); // mode button clicked, or empty
    QTest::addColumn<QString>("caption"); // of CmdSend(2) before
    QTest::addColumn<bool>("running"); // timerSend active before
    QTest::addColumn<QString>("captionAfter");
    QTest::addColumn<bool>("runningAfter");

    const QString single = UiTexts::SingleSend;
    const QString continuous = UiTexts::ContinuousSend;
    const QString stop = UiTexts::StopSend;
    const std::pair<CloseBy, const char *> ways[] = {
        {CloseBy::CmdOk, "確 定"}, {CloseBy::CloseBox, "close box"}, {CloseBy::Escape, "Escape"}};
    for (const auto &[way, wayName] : ways) {
        QTest::addRow("%s: continuous chosen, idle", wayName)
            << way << "0"
            << "optA_1" << single << false << continuous << false;
        QTest::addRow("%s: continuous kept, idle", wayName)
            << way << "1"
            << "" << continuous << false << continuous << false;
        QTest::addRow("%s: single chosen while running", wayName)
            << way << "1"
            << "optA_0" << stop << true << single << false;
        QTest::addRow("%s: single chosen, idle", wayName)
            << way << "1"
            << "optA_0" << continuous << false << single << false;
        QTest::addRow("%s: single kept", wayName) << way << "0"
                                                  << "" << single << false << single << false;
        QTest::addRow("%s: continuous kept while running", wayName)
            << way << "1"
            << "" << stop << true << stop << true;
        QTest::addRow("%s: continuous re-chosen while running", wayName)
            << way << "1"
            << "optA_1" << stop << true << stop << true;
    }
}

void tst_SendOptions::opt3Closing()
{
    QFETCH(CloseBy, way);
    QFETCH(QString, sendOpt2);
    QFETCH(QString, pick);
    QFETCH(QString, caption);
    QFETCH(bool, running);
    QFETCH(QString, captionAfter);
    QFETCH(bool, runningAfter);

    Module1::SendOpt(2) = sendOpt2;
    QPushButton cmdSend2(caption);
    QTimer timerSend;
    timerSend.setInterval(1000);
    if (running)
        timerSend.start();

    frmOpt3 dlg(&cmdSend2, &timerSend);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    if (!pick.isEmpty())
        click(&dlg, qPrintable(pick));
    closeDialog(&dlg, way);

    QVERIFY(!dlg.isVisible());
    QCOMPARE(cmdSend2.text(), captionAfter);
    QCOMPARE(timerSend.isActive(), runningAfter);
}

void tst_SendOptions::opt3AppliesOnlyOnClosing()
{
    QPushButton cmdSend2(UiTexts::StopSend);
    QTimer timerSend;
    timerSend.start(1000);
    Module1::SendOpt(2) = QStringLiteral("1");
    frmOpt3 dlg(&cmdSend2, &timerSend);
    dlg.show();

    click(&dlg, "optA_0");
    QCOMPARE(cmdSend2.text(), UiTexts::StopSend);
    QVERIFY(timerSend.isActive());

    click(&dlg, "CmdOk");
    QCOMPARE(cmdSend2.text(), UiTexts::SingleSend);
    QVERIFY(!timerSend.isActive());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
}

void tst_SendOptions::opt3CloseBoxKeepsChoices()
{
    QPushButton cmdSend2(UiTexts::StopSend);
    QTimer timerSend;
    timerSend.start(1000);
    Module1::SendOpt(2) = QStringLiteral("1");
    frmOpt3 dlg(&cmdSend2, &timerSend);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));

    click(&dlg, "optB_1");
    click(&dlg, "optC_0");
    dlg.close();

    QVERIFY(!dlg.isVisible());
    QCOMPARE(Module1::SendOpt(2), QStringLiteral("1"));
    QCOMPARE(Module1::SendOpt(3), QStringLiteral("100"));
    QCOMPARE(Module1::ReceiveClearOpt, QStringLiteral("1"));
    QCOMPARE(cmdSend2.text(), UiTexts::StopSend);
    QVERIFY(timerSend.isActive());
}

QTEST_MAIN(tst_SendOptions)
#include "tst_sendoptions.moc"
