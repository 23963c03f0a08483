// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/basicval.h"

#include <QTest>

class tst_BasicVal : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void read_data()
    {
        QTest::addColumn<QString>("texts"); // separated by |
        QTest::addColumn<double>("expected");
        QTest::newRow("zero") << "|例如：65|& HF|1E-400" << 0.0;
        QTest::newRow("rest ignored") << "65abc| 6\t5\n|+65|65\r9" << 65.0;
        QTest::newRow("radix") << "&H41G|&h 04 1| &O101|&o1018" << 65.0;
        QTest::newRow("sign, points") << "- 9.5.1|-.95D1|-950D-2" << -9.5;
        QTest::newRow("exponents") << "1E2|1e+2|1d2|.1 E 3" << 100.0;
        QTest::newRow("exponent without digits") << "1E+x|1e" << 1.0;
        QTest::newRow("overflow") << "1E400|0.5E400" << qInf();
        QTest::newRow("negative overflow") << "-1E400" << -qInf();
        QTest::newRow("16-bit top") << "&H7FFF|&O77777" << 32767.0;
        QTest::newRow("wraps to -1") << "&HFFFF|&O177777|&HFFFFFFFF" << -1.0;
        QTest::newRow("32-bit top") << "&H7FFFFFFF" << 2147483647.0;
        QTest::newRow("five hex digits") << "&H10000" << 65536.0;
    }
    void read()
    {
        QFETCH(QString, texts);
        QFETCH(double, expected);
        for (const QString &text : texts.split(u'|'))
            QCOMPARE(BasicVal::read(text), expected);
    }
};

QTEST_GUILESS_MAIN(tst_BasicVal)
#include "tst_basicval.moc"
