// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/frmcrcbook.h"
#include "ui/designfonts.h"

#include <QTest>

class tst_FrmCRCbook : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Every line of the steps whole inside the window with the installed look-alike fonts too.
    void fit()
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

QTEST_MAIN(tst_FrmCRCbook)
#include "tst_frmcrcbook.moc"
