// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmvedira.h"
#include "tools/frmascii.h"
#include "ui/mdichild.h"

#include <QScreen>
#include <QTest>

class tst_FrmAscii : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Centred on the screen's width, a quarter of the free height down, in the frame's client
    // area; a close destroys it, so every command places a new one.
    void placement()
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
};

QTEST_MAIN(tst_FrmAscii)
#include "tst_frmascii.moc"
