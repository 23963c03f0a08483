// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/basicval.h"
#include "tests/support/rows.h"

#include <QTest>

// Decimal items of the byte lists a user types, read as numbers.
class tst_BasicVal : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void read_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        addRows({"", "例如：65", "& HF", "1E-400"}, 0.0);
        addRows({"65abc", " 6\t5\n", "+65", "65\r9"}, 65.0); // the rest ignored
        addRows({"&H41G", "&h 04 1", " &O101", "&o1018"}, 65.0);
        addRows({"- 9.5.1", "-.95D1", "-950D-2"}, -9.5);
        addRows({"1E2", "1e+2", "1d2", ".1 E 3"}, 100.0);
        addRows({"1E+x", "1e"}, 1.0); // an exponent without digits
        addRows({"1E400", "0.5E400"}, qInf());
        QTest::newRow("underflow past 400 zeros") << "0." + QString(400, u'0') + "1E5" << 0.0;
        QTest::newRow("overflow before 400 zeros") << "0.1" + QString(400, u'0') + "E400" << qInf();
        QTest::newRow("overflow by 400 digits") << "1" + QString(400, u'0') << qInf();
        addRows({"-1E400"}, -qInf());
        addRows({"&H7FFF", "&O77777"}, 32767.0); // the 16-bit top
        addRows({"&HFFFF", "&O177777", "&HFFFFFFFF"}, -1.0); // wraps
        addRows({"&H7FFFFFFF"}, 2147483647.0); // the 32-bit top
        addRows({"&H10000"}, 65536.0); // five digits widen to 32 bits
    }
    void read()
    {
        QFETCH(QString, text);
        QTEST(BasicVal::read(text), "expected");
    }
};

QTEST_GUILESS_MAIN(tst_BasicVal)
#include "tst_basicval.moc"
