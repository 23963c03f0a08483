// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/runtimeerror.h"
#include "serial/linesettings.h"
#include "serial/portnumber.h"
#include "serial/portsettings.h"
#include "tests/support/rows.h"

#include <QTest>

using P = LineSettings::Parity;
using S = LineSettings::StopBits;
Q_DECLARE_METATYPE(LineSettings)

// The port as the settings name it: number, then speed, parity, data and stop bits.
class tst_LineSettings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected"); // "error N": RunTimeError 6 overflow, 13 mismatch
        addRows({" \t2 ", "+002", "1.5", "2.5", ".2E1", "&O2"}, u"2"_qs);
        addRows({"&hF", "&O17", "&17", "15.", "14.51", "1.5e1"}, u"15"_qs);
        addRows({"&HFFFF", "&HFFFFFFFF", "-1.4"}, u"-1"_qs);
        addRows({"32767.4", "&H7FFF"}, u"32767"_qs);
        addRows({"-32768.5", "&H8000"}, u"-32768"_qs);
        addRows({"", "COM1", "1a", "1 2", "1.2.3", "&HG"}, u"error 13"_qs);
        addRows({"32767.5", "-32769", "&H10000", "&H100000000", "&H10000000000000000", "1E400"},
            u"error 6"_qs);
    }
    void fromText()
    {
        QFETCH(QString, text);
        try {
            QTEST(QString::number(PortNumber::fromText(text)), "expected");
        } catch (const RunTimeError &e) {
            QTEST(u"error %1"_qs.arg(e.number), "expected");
        }
    }

    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<LineSettings>("expected"); // speed 0: refused
        addRows({"9600,N,8,1"}, LineSettings {9600, P::None, 8, S::One});
        addRows({"19200,e,7,2"}, LineSettings {19200, P::Even, 7, S::Two});
        addRows({" 1 , O , 5 , 1.5 "}, LineSettings {1, P::Odd, 5, S::OneAndHalf});
        addRows({"921600,m,6,1"}, LineSettings {921600, P::Mark, 6, S::One});
        addRows({"12345,s,8,2"}, LineSettings {12345, P::Space, 8, S::Two});
        addRows({"", "9600,n,8", "9600,n,8,1,1", "9600，n，8，1"}, LineSettings {0}); // fields
        addRows({"0,n,8,1", "+9600,n,8,1", "9600.5,n,8,1", "4294967296,n,8,1"}, LineSettings {0});
        addRows({"9600,x,8,1", "9600,none,8,1", "9600,n,8,0", "9600,n,8,1.0"}, LineSettings {0});
        addRows({"9600,n,4,1", "9600,n,9,1", "9600,n,08,1", "9600,n,80,1"}, LineSettings {0});
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(LineSettings, expected);
        if (expected.speed == 0)
            QVERIFY_THROWS_EXCEPTION(RunTimeError, LineSettings::parse(text));
        else
            QCOMPARE(LineSettings::parse(text), expected);
    }

    // A session's port and line are read port number first, before an unreadable line.
    void portSettings_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<int>("error");
        addRows({"0"}, int(ErrorNumber::InvalidPortNumber)); // a number, but no port's
        addRows({"40000"}, int(ErrorNumber::Overflow));
        addRows({"1"}, int(ErrorNumber::InvalidPropertyValue));
    }
    void portSettings()
    {
        QFETCH(QString, port);
        try {
            PortSettings::parse(port, u"9600,x,8,1"_qs);
            QFAIL("read without an error");
        } catch (const RunTimeError &e) {
            QTEST(e.number, "error");
        }
    }
};

QTEST_GUILESS_MAIN(tst_LineSettings)
#include "tst_linesettings.moc"
