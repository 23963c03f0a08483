// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/runtimeerror.h"
#include "serial/portnumber.h"
#include "terminal/basicval.h"
#include "tests/support/rows.h"

#include <QTest>

// Results as text; "error N" for RunTimeError N (6 overflow, 13 type mismatch).
template<class F> QString outcome(F f)
{
    try {
        return QVariant(f()).toString();
    } catch (const RunTimeError &e) {
        return u"error %1"_qs.arg(e.number);
    }
}

class tst_Numbers : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        addRows({" \t2 ", "+002", "1.5", "2.5", ".2E1", "&O2"}, u"2"_qs);
        addRows({"&hF", "&O17", "&17", "15.", "14.51", "1.5e1"}, u"15"_qs);
        addRows({"&HFFFF", "&HFFFFFFFF", "-1.4"}, u"-1"_qs);
        addRows({"32767.4", "&H7FFF"}, u"32767"_qs);
        addRows({"-32768.5", "&H8000"}, u"-32768"_qs);
        addRows({"", "COM1", "1a", "1 2", "1.2.3", "&HG"}, u"error 13"_qs);
        addRows(
            {"32767.5", "-32769", "&H10000", "&H100000000", "&H10000000000000000"}, u"error 6"_qs);
    }
    void fromText()
    {
        QFETCH(QString, text);
        QTEST(outcome([&] { return PortNumber::fromText(text); }), "expected");
    }

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

QTEST_GUILESS_MAIN(tst_Numbers)
#include "tst_numbers.moc"
