// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/linesettings.h"

#include "settings/runtimeerror.h"

#include <QTest>

using Parity = LineSettings::Parity;
using StopBits = LineSettings::StopBits;

Q_DECLARE_METATYPE(LineSettings)

class tst_LineSettings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();
};

void tst_LineSettings::accepted_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<LineSettings>("expected");

    QTest::newRow("default") << "9600,n,8,1" << LineSettings {9600, Parity::None, 8, StopBits::One};
    QTest::newRow("even 7 2") << "19200,e,7,2"
                              << LineSettings {19200, Parity::Even, 7, StopBits::Two};
    QTest::newRow("odd") << "4800,o,8,1" << LineSettings {4800, Parity::Odd, 8, StopBits::One};
    QTest::newRow("mark") << "9600,m,8,1" << LineSettings {9600, Parity::Mark, 8, StopBits::One};
    QTest::newRow("space") << "9600,s,8,1" << LineSettings {9600, Parity::Space, 8, StopBits::One};
    QTest::newRow("upper case") << "9600,E,8,1"
                                << LineSettings {9600, Parity::Even, 8, StopBits::One};
    QTest::newRow("upper N") << "9600,N,8,1" << LineSettings {9600, Parity::None, 8, StopBits::One};
    QTest::newRow("one and a half")
        << "1200,n,5,1.5" << LineSettings {1200, Parity::None, 5, StopBits::OneAndHalf};
    QTest::newRow("6 data bits") << "9600,n,6,1"
                                 << LineSettings {9600, Parity::None, 6, StopBits::One};
    QTest::newRow("hand-written 2400")
        << "2400,n,8,1" << LineSettings {2400, Parity::None, 8, StopBits::One};
    QTest::newRow("odd speed") << "12345,n,8,1"
                               << LineSettings {12345, Parity::None, 8, StopBits::One};
    QTest::newRow("fast") << "921600,n,8,1"
                          << LineSettings {921600, Parity::None, 8, StopBits::One};
    QTest::newRow("speed 1") << "1,n,8,1" << LineSettings {1, Parity::None, 8, StopBits::One};
    QTest::newRow("blanks around fields")
        << " 9600 , n , 8 , 1 " << LineSettings {9600, Parity::None, 8, StopBits::One};
}

void tst_LineSettings::accepted()
{
    QFETCH(QString, text);
    QFETCH(LineSettings, expected);
    const LineSettings got = LineSettings::parse(text);
    QCOMPARE(got.speed, expected.speed);
    QCOMPARE(got.parity, expected.parity);
    QCOMPARE(got.dataBits, expected.dataBits);
    QCOMPARE(got.stopBits, expected.stopBits);
}

void tst_LineSettings::refused_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << "";
    QTest::newRow("zero settings") << "0";
    QTest::newRow("three fields") << "9600,n,8";
    QTest::newRow("five fields") << "9600,n,8,1,1";
    QTest::newRow("speed zero") << "0,n,8,1";
    QTest::newRow("negative speed") << "-9600,n,8,1";
    QTest::newRow("plus sign") << "+9600,n,8,1";
    QTest::newRow("fractional speed") << "9600.5,n,8,1";
    QTest::newRow("speed not a number") << "fast,n,8,1";
    QTest::newRow("empty speed") << ",n,8,1";
    QTest::newRow("speed beyond 32 bits") << "4294967296,n,8,1";
    QTest::newRow("hex speed") << "0x2580,n,8,1";
    QTest::newRow("parity x") << "9600,x,8,1";
    QTest::newRow("parity word") << "9600,none,8,1";
    QTest::newRow("no parity") << "9600,,8,1";
    QTest::newRow("4 data bits") << "9600,n,4,1";
    QTest::newRow("9 data bits") << "9600,n,9,1";
    QTest::newRow("data bits 08") << "9600,n,08,1";
    QTest::newRow("stop 0") << "9600,n,8,0";
    QTest::newRow("stop 3") << "9600,n,8,3";
    QTest::newRow("stop 1.0") << "9600,n,8,1.0";
    QTest::newRow("stop 2.5") << "9600,n,8,2.5";
    QTest::newRow("semicolons") << "9600;n;8;1";
    QTest::newRow("full-width comma") << "9600，n，8，1";
}

void tst_LineSettings::refused()
{
    QFETCH(QString, text);
    try {
        LineSettings::parse(text);
        QFAIL("accepted");
    } catch (const RunTimeError &e) {
        QCOMPARE(e.number, ErrorNumber::InvalidPropertyValue);
    }
}

QTEST_GUILESS_MAIN(tst_LineSettings)
#include "tst_linesettings.moc"
