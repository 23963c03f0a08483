// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmvedira.h"
#include "tools/frmabout.h"

#include <QTest>
#include <QTimer>

class tst_FrmAbout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The menu runs the box modal; 確 定 closes it. Its face as painted: the style's gradient
    // once washed it out.
    void modalBox()
    {
        frmVedira frame;
        QString seen;
        QTimer::singleShot(0, this, [&frame, &seen] {
            auto *about = frame.findChild<frmAbout *>();
            auto *ok = about->findChild<QWidget *>("CmdOk");
            seen = ok->grab().toImage().pixelColor(5, ok->height() / 2).name();
            QTest::mouseClick(ok, Qt::LeftButton);
            seen += about->isVisible() ? " open" : " closed";
            about->close();
        });
        frame.findChild<QAction *>("memAbout2")->trigger();
        QCOMPARE(seen, "#c0ffff closed");
    }
};

QTEST_MAIN(tst_FrmAbout)
#include "tst_frmabout.moc"
