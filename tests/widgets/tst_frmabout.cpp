// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmvedira.h"
#include "tools/frmabout.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

class tst_FrmAbout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The menu runs the box modal; 確 定 closes it.
    void modalBox()
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
};

QTEST_MAIN(tst_FrmAbout)
#include "tst_frmabout.moc"
