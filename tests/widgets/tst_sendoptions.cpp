// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/module1.h"
#include "terminal/frmopt1.h"
#include "terminal/frmopt3.h"
#include "terminal/frmrun.h"
#include "tests/support/fakeserialport.h"
#include "ui/designfonts.h"
#include "ui/uitexts.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Module1;
using namespace UiTexts;

class tst_SendOptions : public QObject
{
    Q_OBJECT
    // The terminal the hexadecimal line's options report to; its port stays closed.
    std::unique_ptr<frmRun> m_run;

private Q_SLOTS:
    void initTestCase() { DesignFonts::install(); }
    void init() { m_run = std::make_unique<frmRun>(std::make_unique<FakeSerialPort>()); }
    void cleanup()
    {
        m_run.reset();
        Reset();
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
            "optC_0 optA_1 optC_1 optB_1 CmdOk", "0 1 1 200 " + ContinuousSend);
        row("single chosen while sending, close box", "0 1 1 5000 " + StopSend,
            "optA_1 optB_1 optC_7", "optC_3 optA_0 optC_2 close", "0 0 1 500 " + SingleSend);
        row("kept while sending, Escape", "0 1 0 300 " + StopSend, "optA_1 optB_0 optC_2",
            "optC_6 Escape", "0 1 0 3000 " + StopSend);
    }
    // The controls fit the dialog and their captions, the stored choices are shown, a click stores
    // its choice at once, and the send mode reaches the terminal when the dialog closes, however.
    void dialogs()
    {
        QFETCH(QString, before);
        QFETCH(QString, shown);
        QFETCH(QString, clicks);
        QFETCH(QString, after);
        QString *const options[] {&SendOpt(1), &SendOpt(2), &ReceiveClearOpt, &SendOpt(3)};
        for (int i = 0; i < 4; ++i)
            *options[i] = before.section(u' ', i, i);
        QPushButton *cmdSend2 = m_run->CmdSend(2);
        cmdSend2->setText(before.section(u' ', 4));
        cmdSend2->text() == StopSend ? m_run->sendTimer()->start(1000) : m_run->sendTimer()->stop();
        std::unique_ptr<QDialog> dlg;
        if (shown.contains(u"optC")) {
            auto *opt3 = new frmOpt3;
            connect(opt3, &frmOpt3::sendModeChosen, m_run.get(), &frmRun::applySendMode);
            dlg.reset(opt3);
        } else {
            dlg.reset(new frmOpt1);
        }
        dlg->show();
        QVERIFY(dlg->rect().contains(dlg->childrenRect()));
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
                button ? QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, 8))
                       : QTest::keyClick(dlg.get(), Qt::Key_Escape);
        }
        QVERIFY(!dlg->isVisible());
        const QStringList now {
            SendOpt(1), SendOpt(2), ReceiveClearOpt, SendOpt(3), cmdSend2->text()};
        QCOMPARE(now.join(u' '), after);
        QCOMPARE(m_run->sendTimer()->isActive(), after.endsWith(StopSend));
    }
};

QTEST_MAIN(tst_SendOptions)
#include "tst_sendoptions.moc"
