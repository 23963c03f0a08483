// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/portnumber.h"

#include "core/runtimeerror.h"
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

class tst_PortNumber : public QObject
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
        addRows({"32767.5", "-32769", "&H10000", "&H100000000"}, u"error 6"_qs);
    }
    void fromText()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(outcome([&] { return PortNumber::fromText(text); }), expected);
    }
};

QTEST_GUILESS_MAIN(tst_PortNumber)
#include "tst_portnumber.moc"
