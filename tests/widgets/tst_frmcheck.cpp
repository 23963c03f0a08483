// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/designstyle.h"
#include "app/frmvedira.h"
#include "tests/support/messageboxrecorder.h"
#include "tools/frmcheck.h"
#include "tools/frmcrcbook.h"
#include "ui/uitexts.h"

#include <QComboBox>
#include <QTest>

class tst_FrmCheck : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Every caption whole inside its frame. A text joins the list at its first calculation after
    // an edit, even a failing one, and an edit empties the outputs. CRC help opens in the frame.
    void calculator()
    {
        DesignStyle::install();
        MessageBoxRecorder boxes;
        frmVedira frame;
        frame.findChild<QAction *>("memCheck")->trigger();
        auto *check = frame.findChild<frmCheck *>();
        auto *combo = check->findChild<QComboBox *>();
        for (QWidget *w : check->findChildren<QWidget *>(QRegularExpression("^(L|F|cmd|txt)"))) {
            const QString text = w->property("text").toString() + w->property("title").toString();
            QVERIFY2(
                w->parentWidget()->rect().contains(w->geometry()), qPrintable(w->objectName()));
            QVERIFY2(w->fontMetrics().horizontalAdvance(text) <= w->width(), qPrintable(text));
        }

        // Steps split by ";": "=text" types a text, a control's name clicks it, "Return" and
        // "Enter" press those keys, "Down" picks the next listed text. Then the seven outputs (CRC
        // to sum), the list, the messages.
        const auto run = [&](const QString &steps) {
            boxes.clear();
            for (const QString &step : steps.split(u';')) {
                if (step.startsWith(u'=')) {
                    combo->clearEditText();
                    QTest::keyClicks(combo, step.mid(1));
                } else if (step.startsWith(u'c')) {
                    QTest::mouseClick(check->findChild<QWidget *>(step), Qt::LeftButton);
                } else {
                    QTest::keyClick(combo,
                        step == u"Return"     ? Qt::Key_Return
                            : step == u"Down" ? Qt::Key_Down
                                              : Qt::Key_Enter);
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
        QCOMPARE(run("=41,42,43;cmdSum"), (QStringList {"|||||C6|43 ,36", bad, a, a}));
        // The combo box must neither insert the text nor turn Enter on a listed text into a pick.
        QCOMPARE(run("=1234;Return"), (QStringList {"97AC|97|AC||||", bad, a, a, "1234"}));
        QCOMPARE(run("=41,42,43;Enter"), (QStringList {"8550|85|50||||", bad, a, a, "1234", a}));
        // A text picked from the list empties the outputs too.
        QCOMPARE(run("cmdSum;Down"), (QStringList {none, bad, a, a, "1234", a}));
        // CRC說明 shows the one help window in the frame, however often it is clicked.
        for (int i = 0; i < 2; ++i)
            QTest::mouseClick(check->findChild<QWidget *>("cmdCRCbook"), Qt::LeftButton);
        QCOMPARE(frame.findChildren<frmCRCbook *>().size(), 1);
    }
};

QTEST_MAIN(tst_FrmCheck)
#include "tst_frmcheck.moc"
