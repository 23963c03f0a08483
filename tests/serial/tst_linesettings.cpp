// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/runtimeerror.h"
#include "serial/inputlines.h"
#include "serial/linesettings.h"
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

    // Lines are written "CTS DSR CD RI", so a row reads like a line monitor.
    void changeEvents_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("now");
        QTest::addColumn<QList<qint16>>("events");
        const auto row = [](QString before, QString now, QList<qint16> events) {
            QTest::addRow("%s to %s", qPrintable(before), qPrintable(now))
                << before << now << events;
        };
        using L = InputLines;
        row("1010", "1010", {});
        row("0000", "1000", {L::EvCTS});
        row("1110", "0110", {L::EvCTS});
        row("0000", "0100", {L::EvDSR});
        row("0110", "0010", {L::EvDSR});
        row("0010", "0000", {L::EvCD});
        row("0000", "0011", {L::EvCD, L::EvRing});
        row("0001", "0000", {}); // the end of a ring is no news
        row("0000", "1111", {L::EvCTS, L::EvDSR, L::EvCD, L::EvRing});
    }
    void changeEvents()
    {
        QFETCH(QString, before);
        QFETCH(QString, now);
        const auto lines = [](const QString &s) {
            return InputLines {s[0] == u'1', s[1] == u'1', s[2] == u'1', s[3] == u'1'};
        };
        QTEST(InputLines::changeEvents(lines(before), lines(now)), "events");
    }
};

QTEST_GUILESS_MAIN(tst_LineSettings)
#include "tst_linesettings.moc"
