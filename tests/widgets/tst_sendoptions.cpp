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

const char *const Intervals[] = {"100", "200", "300", "500", "1000", "2000", "3000", "5000"};

// What frmOpt3 reaches in the terminal window: CmdSend(2) and timerSend.
struct Terminal
{
    QPushButton cmdSend2 {UiTexts::SingleSend};
    QTimer timerSend;
};

std::unique_ptr<QDialog> makeDialog(int which, Terminal &terminal)
{
    if (which == 1)
        return std::make_unique<frmOpt1>();
    return std::make_unique<frmOpt3>(&terminal.cmdSend2, &terminal.timerSend);
}

template<class T = QRadioButton> T *control(QWidget *dialog, const QString &name)
{
    T *w = dialog->findChild<T *>(name);
    if (!w)
        qFatal("no control %s", qPrintable(name));
    return w;
}

// An option button takes clicks on its circle and caption only, not on the blank to their right.
void click(QWidget *dialog, const QString &name)
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

// The interval frame, then each of its buttons.
QList<bool> intervalEnabled(QWidget *dialog)
{
    QList<bool> states {control<QGroupBox>(dialog, QStringLiteral("FrameC"))->isEnabled()};
    for (int i = 0; i < 8; ++i)
        states << control(dialog, QStringLiteral("optC_%1").arg(i))->isEnabled();
    return states;
}

void closeDialog(QDialog *dialog, CloseBy way)
{
    switch (way) {
    case CloseBy::CmdOk:
        click(dialog, QStringLiteral("CmdOk"));
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
    void initTestCase() { DesignFonts::install(); }
    void init();
    void cleanup() { Module1::Reset(); }

    void captions_data();
    void captions();
    void opt3Layout();

    void opt1_data();
    void opt1();

    void opt3Load_data();
    void opt3Load();
    void opt3ClickStores_data();
    void opt3ClickStores();
    void opt3IntervalFollowsMode();
    void opt3Closing_data();
    void opt3Closing();
};

void tst_SendOptions::init()
{
    Module1::SendOpt(1) = QStringLiteral("0");
    Module1::SendOpt(2) = QStringLiteral("0");
    Module1::SendOpt(3) = QStringLiteral("1000");
    Module1::ReceiveClearOpt = QStringLiteral("0");
}

void tst_SendOptions::captions_data()
{
    QTest::addColumn<int>("dialog");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");

    const struct
    {
        int dialog;
        const char *name;
        const char *caption;
    } rows[] = {{1, "frmOpt1", "ASCII碼字元,傳送參數設定"}, {1, "FrameA", "傳送資料"},
        {1, "optA_0", "不加入任何字元"}, {1, "optA_1", "最終加入 CR 字元"}, {1, "CmdOk", "確 定"},
        {3, "frmOpt3", "16進制字元,傳送參數設定"}, {3, "FrameA", "傳送方式"},
        {3, "optA_0", "單筆傳送"}, {3, "optA_1", "連續傳送"}, {3, "FrameB", "接收區"},
        {3, "optB_0", "不清除"}, {3, "optB_1", "清除"}, {3, "FrameC", "連續傳送時間"},
        {3, "optC_0", "0.1秒"}, {3, "optC_1", "0.2秒"}, {3, "optC_2", "0.3秒"},
        {3, "optC_3", "0.5秒"}, {3, "optC_4", "1秒"}, {3, "optC_5", "2秒"}, {3, "optC_6", "3秒"},
        {3, "optC_7", "5秒"}, {3, "CmdOk", "確 定"}};
    for (const auto &row : rows) {
        QTest::addRow("opt%d %s", row.dialog, row.name)
            << row.dialog << QString::fromLatin1(row.name) << QString::fromUtf8(row.caption);
    }
}

// Each caption as designed, and the control lies inside its parent and is wide enough for it in
// the design font.
void tst_SendOptions::captions()
{
    QFETCH(int, dialog);
    QFETCH(QString, name);
    QFETCH(QString, caption);

    Terminal terminal;
    const auto dlg = makeDialog(dialog, terminal);
    dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
    if (name == dlg->objectName()) {
        QCOMPARE(dlg->windowTitle(), caption);
        QCOMPARE(dlg->minimumSize(), dlg->maximumSize());
        return;
    }
    auto *w = control<QWidget>(dlg.get(), name);
    QVERIFY(w->parentWidget()->rect().contains(w->geometry()));
    if (auto *frame = qobject_cast<QGroupBox *>(w)) {
        QCOMPARE(frame->title(), caption);
        QVERIFY(frame->fontMetrics().horizontalAdvance(caption) + 20 <= frame->width());
    } else {
        auto *button = qobject_cast<QAbstractButton *>(w);
        QCOMPARE(button->text(), caption);
        QVERIFY(button->sizeHint().width() <= button->width());
    }
}

// Mode and receive frames side by side, the interval frame below them, 確 定 at the bottom
// right; every option button in its group's frame; the intervals in two columns of four.
void tst_SendOptions::opt3Layout()
{
    Terminal terminal;
    frmOpt3 dlg(&terminal.cmdSend2, &terminal.timerSend);
    const auto geo = [&](const QString &name) { return control<QWidget>(&dlg, name)->geometry(); };
    const auto optC = [&](int i) { return geo(QStringLiteral("optC_%1").arg(i)); };

    QVERIFY(geo(u"FrameA"_qs).right() < geo(u"FrameB"_qs).left());
    QCOMPARE(geo(u"FrameA"_qs).top(), geo(u"FrameB"_qs).top());
    QVERIFY(geo(u"FrameC"_qs).top() > qMax(geo(u"FrameA"_qs).bottom(), geo(u"FrameB"_qs).bottom()));
    QVERIFY(geo(u"CmdOk"_qs).top() > geo(u"FrameC"_qs).bottom());
    QVERIFY(geo(u"CmdOk"_qs).left() > dlg.width() / 2);
    const auto buttons = dlg.findChildren<QRadioButton *>();
    QCOMPARE(buttons.size(), 12);
    for (QRadioButton *b : buttons) {
        QCOMPARE(b->parentWidget()->objectName(), u"Frame"_qs + b->objectName().at(3));
    }
    QVERIFY(geo(u"optA_0"_qs).bottom() < geo(u"optA_1"_qs).top());
    QVERIFY(geo(u"optB_0"_qs).bottom() < geo(u"optB_1"_qs).top());
    for (int i = 1; i < 8; ++i) {
        if (i == 4) {
            QVERIFY(optC(4).left() > optC(0).right());
            continue;
        }
        QCOMPARE(optC(i).left(), optC(i - 1).left());
        QVERIFY(optC(i).top() > optC(i - 1).bottom());
    }
}

void tst_SendOptions::opt1_data()
{
    QTest::addColumn<QString>("loaded");
    QTest::addColumn<CloseBy>("way");
    QTest::newRow("no line end, 確 定") << "0" << CloseBy::CmdOk;
    QTest::newRow("CR, close box") << "1" << CloseBy::CloseBox;
    QTest::newRow("no line end, Escape") << "0" << CloseBy::Escape;
}

// The stored choice is shown; a click stores the other at once, and no way of closing undoes it.
void tst_SendOptions::opt1()
{
    QFETCH(QString, loaded);
    QFETCH(CloseBy, way);
    const QString other = loaded == u"0" ? QStringLiteral("1") : QStringLiteral("0");
    Module1::SendOpt(1) = loaded;
    frmOpt1 dlg;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QCOMPARE(checkedButtons(&dlg), QStringList {u"optA_"_qs + loaded});
    QCOMPARE(Module1::SendOpt(1), loaded);

    click(&dlg, u"optA_"_qs + other);
    QCOMPARE(Module1::SendOpt(1), other);
    QCOMPARE(checkedButtons(&dlg), QStringList {u"optA_"_qs + other});
    closeDialog(&dlg, way);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(Module1::SendOpt(1), other);
}

void tst_SendOptions::opt3Load_data()
{
    QTest::addColumn<QString>("sendOpt2");
    QTest::addColumn<QString>("receiveClear");
    QTest::addColumn<QString>("sendOpt3");
    QTest::addColumn<QStringList>("checked");

    const auto row = [](const char *tag, const char *mode, const char *clear, const char *interval,
                         const QStringList &checked) {
        QTest::newRow(tag) << QString::fromLatin1(mode) << QString::fromLatin1(clear)
                           << QString::fromLatin1(interval) << checked;
    };
    row("start-up", "0", "0", "1000", {"optA_0", "optB_0", "optC_4"});
    row("continuous", "1", "0", "1000", {"optA_1", "optB_0", "optC_4"});
    row("clear", "0", "1", "1000", {"optA_0", "optB_1", "optC_4"});
    for (int i = 0; i < 8; ++i) {
        row(qPrintable(u"interval "_qs + QLatin1String(Intervals[i])), "1", "1", Intervals[i],
            {"optA_1", "optB_1", QStringLiteral("optC_%1").arg(i)});
    }
}

// The interval group is enabled exactly in continuous mode, from the moment the dialog opens;
// loading changes neither the values nor the terminal's button.
void tst_SendOptions::opt3Load()
{
    QFETCH(QString, sendOpt2);
    QFETCH(QString, receiveClear);
    QFETCH(QString, sendOpt3);
    QFETCH(QStringList, checked);

    Module1::SendOpt(2) = sendOpt2;
    Module1::ReceiveClearOpt = receiveClear;
    Module1::SendOpt(3) = sendOpt3;
    Terminal terminal;
    frmOpt3 dlg(&terminal.cmdSend2, &terminal.timerSend);
    dlg.show();

    QCOMPARE(checkedButtons(&dlg), checked);
    QCOMPARE(intervalEnabled(&dlg), QList<bool>(9, sendOpt2 == u"1"));
    QVERIFY(control<QGroupBox>(&dlg, u"FrameA"_qs)->isEnabled());
    QVERIFY(control<QGroupBox>(&dlg, u"FrameB"_qs)->isEnabled());
    QCOMPARE(Module1::SendOpt(2), sendOpt2);
    QCOMPARE(Module1::ReceiveClearOpt, receiveClear);
    QCOMPARE(Module1::SendOpt(3), sendOpt3);
    QCOMPARE(terminal.cmdSend2.text(), UiTexts::SingleSend);
}

void tst_SendOptions::opt3ClickStores_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("value"); // which shared value the click stores into
    QTest::addColumn<QString>("expected");

    for (const char *index : {"0", "1"}) {
        QTest::addRow("optA_%s", index)
            << u"optA_"_qs + QLatin1String(index) << "SendOpt(2)" << index;
        QTest::addRow("optB_%s", index)
            << u"optB_"_qs + QLatin1String(index) << "ReceiveClearOpt" << index;
    }
    for (int i = 0; i < 8; ++i) {
        const QString name = QStringLiteral("optC_%1").arg(i);
        QTest::addRow("%s", qPrintable(name)) << name << "SendOpt(3)" << Intervals[i];
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
    Terminal terminal;
    terminal.cmdSend2.setText(UiTexts::ContinuousSend);
    frmOpt3 dlg(&terminal.cmdSend2, &terminal.timerSend);
    dlg.show();
    QVERIFY(!control(&dlg, button)->isChecked());

    click(&dlg, button);
    QVERIFY(control(&dlg, button)->isChecked());
    const QString stored = value == u"SendOpt(2)" ? Module1::SendOpt(2)
        : value == u"SendOpt(3)"                  ? Module1::SendOpt(3)
                                                  : Module1::ReceiveClearOpt;
    QCOMPARE(stored, expected);
}

void tst_SendOptions::opt3IntervalFollowsMode()
{
    Terminal terminal;
    frmOpt3 dlg(&terminal.cmdSend2, &terminal.timerSend);
    dlg.show();
    // Greyed out in single mode: a click there changes nothing.
    click(&dlg, u"optC_0"_qs);
    QCOMPARE(Module1::SendOpt(3), QStringLiteral("1000"));
    QVERIFY(control(&dlg, u"optC_4"_qs)->isChecked());

    click(&dlg, u"optA_1"_qs);
    QCOMPARE(intervalEnabled(&dlg), QList<bool>(9, true));
    click(&dlg, u"optC_0"_qs);
    QCOMPARE(Module1::SendOpt(3), QStringLiteral("100"));

    // Back to single mode: greyed again, the chosen interval kept.
    click(&dlg, u"optA_0"_qs);
    QCOMPARE(intervalEnabled(&dlg), QList<bool>(9, false));
    QCOMPARE(Module1::SendOpt(3), QStringLiteral("100"));
    QVERIFY(control(&dlg, u"optC_0"_qs)->isChecked());
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

    const QString &single = UiTexts::SingleSend;
    const QString &continuous = UiTexts::ContinuousSend;
    const QString &stop = UiTexts::StopSend;
    const struct
    {
        const char *tag, *sendOpt2, *pick;
        const QString &caption;
        bool running;
        const QString &captionAfter;
        bool runningAfter;
        bool everyWay; // also by the close box and Escape
    } rows[] = {
        {"continuous chosen, idle", "0", "optA_1", single, false, continuous, false, true},
        {"continuous kept, idle", "1", "", continuous, false, continuous, false, false},
        {"single chosen while running", "1", "optA_0", stop, true, single, false, true},
        {"single chosen, idle", "1", "optA_0", continuous, false, single, false, false},
        {"single kept", "0", "", single, false, single, false, false},
        {"continuous kept while running", "1", "", stop, true, stop, true, true},
        {"continuous re-chosen while running", "1", "optA_1", stop, true, stop, true, false},
    };
    const std::pair<CloseBy, const char *> ways[] = {
        {CloseBy::CmdOk, "確 定"}, {CloseBy::CloseBox, "close box"}, {CloseBy::Escape, "Escape"}};
    for (const auto &[way, wayName] : ways) {
        for (const auto &r : rows) {
            if (way != CloseBy::CmdOk && !r.everyWay)
                continue;
            QTest::addRow("%s: %s", wayName, r.tag)
                << way << QString::fromLatin1(r.sendOpt2) << QString::fromLatin1(r.pick)
                << r.caption << r.running << r.captionAfter << r.runningAfter;
        }
    }
}

// The send mode reaches CmdSend(2) and timerSend only when the dialog closes, however it is
// closed; every choice clicked stays stored.
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
    Terminal terminal;
    terminal.cmdSend2.setText(caption);
    terminal.timerSend.setInterval(1000);
    if (running)
        terminal.timerSend.start();

    frmOpt3 dlg(&terminal.cmdSend2, &terminal.timerSend);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    if (!pick.isEmpty())
        click(&dlg, pick);
    click(&dlg, u"optB_1"_qs);
    QCOMPARE(terminal.cmdSend2.text(), caption);
    QCOMPARE(terminal.timerSend.isActive(), running);
    closeDialog(&dlg, way);

    QVERIFY(!dlg.isVisible());
    QCOMPARE(terminal.cmdSend2.text(), captionAfter);
    QCOMPARE(terminal.timerSend.isActive(), runningAfter);
    QCOMPARE(Module1::SendOpt(2), pick.isEmpty() ? sendOpt2 : pick.right(1));
    QCOMPARE(Module1::ReceiveClearOpt, QStringLiteral("1"));
    if (way == CloseBy::CmdOk)
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
}

QTEST_MAIN(tst_SendOptions)
#include "tst_sendoptions.moc"
