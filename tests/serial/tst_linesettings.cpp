// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/linesettings.h"

#include "core/runtimeerror.h"
#include "tests/support/rows.h"

#include <QTest>

using P = LineSettings::Parity;
using S = LineSettings::StopBits;
Q_DECLARE_METATYPE(LineSettings)

class tst_LineSettings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
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
        addRows({"9600,x,8,1", "9600,none,8,1"}, LineSettings {0});
        addRows({"9600,n,4,1", "9600,n,9,1", "9600,n,08,1"}, LineSettings {0});
        addRows({"9600,n,8,0", "9600,n,8,1.0"}, LineSettings {0});
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
};

QTEST_GUILESS_MAIN(tst_LineSettings)
#include "tst_linesettings.moc"
