// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/receivelog.h"

#include <QSignalSpy>
#include <QTest>

using Kind = ReceiveFormatter::Kind;

class tst_ReceiveLog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void oneEventGivesOneItemPerByte();
    void twoEventsWithoutBreakFormOneLine();
    void breaksStayInStep_data();
    void breaksStayInStep();
    void emptyReadChangesNothing();
    void clearEmptiesEverything();
    void largeEventIsKeptWhole();
    void isEmptyCountsBreaks();
};

void tst_ReceiveLog::oneEventGivesOneItemPerByte()
{
    ReceiveLog log;
    QSignalSpy appended(&log, &ReceiveLog::appended);
    log.append(QByteArray("\x41\x42\x0D"));
    QCOMPARE(log.text(Kind::Character), u"A B \u240D "_qs);
    QCOMPARE(log.text(Kind::Decimal), u"65 66 13 "_qs);
    QCOMPARE(log.text(Kind::Hexadecimal), u"41 42 D "_qs);
    QCOMPARE(log.byteCount(), 3);
    QCOMPARE(appended.size(), 1);
    QCOMPARE(appended.at(0).at(0).value<qsizetype>(), 0);
}

void tst_ReceiveLog::twoEventsWithoutBreakFormOneLine()
{
    ReceiveLog log;
    QSignalSpy appended(&log, &ReceiveLog::appended);
    log.append("AB");
    log.append("Z");
    QCOMPARE(log.text(Kind::Character), u"A B Z "_qs);
    QCOMPARE(log.text(Kind::Decimal), u"65 66 90 "_qs);
    QCOMPARE(log.text(Kind::Hexadecimal), u"41 42 5A "_qs);
    QCOMPARE(appended.size(), 2);
    QCOMPARE(appended.at(1).at(0).value<qsizetype>(), 2);
}

void tst_ReceiveLog::breaksStayInStep_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("hexadecimal");
    // Each step is either bytes to append or "|" for a line break.
    QTest::newRow("send, data, send, data")
        << QStringList {u"|"_qs, u"1"_qs, u"|"_qs, u"2"_qs} << u"\r\n1 \r\n2 "_qs
        << u"\r\n49 \r\n50 "_qs << u"\r\n31 \r\n32 "_qs;
    QTest::newRow("two breaks at one place")
        << QStringList {u"a"_qs, u"|"_qs, u"|"_qs, u"b"_qs} << u"a \r\n\r\nb "_qs
        << u"97 \r\n\r\n98 "_qs << u"61 \r\n\r\n62 "_qs;
    QTest::newRow("break last") << QStringList {u"~"_qs, u"|"_qs} << u"~ \r\n"_qs << u"126 \r\n"_qs
                                << u"7E \r\n"_qs;
}

void tst_ReceiveLog::breaksStayInStep()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, character);
    QFETCH(QString, decimal);
    QFETCH(QString, hexadecimal);
    ReceiveLog log;
    QSignalSpy breaks(&log, &ReceiveLog::lineBreakAdded);
    int breakSteps = 0;
    for (const QString &step : steps) {
        if (step == u"|") {
            log.addLineBreak();
            ++breakSteps;
        } else {
            log.append(step.toLatin1());
        }
    }
    QCOMPARE(log.text(Kind::Character), character);
    QCOMPARE(log.text(Kind::Decimal), decimal);
    QCOMPARE(log.text(Kind::Hexadecimal), hexadecimal);
    QCOMPARE(breaks.size(), breakSteps);
}

void tst_ReceiveLog::emptyReadChangesNothing()
{
    ReceiveLog log;
    log.append("A");
    QSignalSpy appended(&log, &ReceiveLog::appended);
    log.append(QByteArrayView());
    QCOMPARE(log.text(Kind::Hexadecimal), u"41 "_qs);
    QCOMPARE(appended.size(), 0);
}

void tst_ReceiveLog::clearEmptiesEverything()
{
    ReceiveLog log;
    log.append("AB");
    log.addLineBreak();
    log.append("C");
    QSignalSpy cleared(&log, &ReceiveLog::cleared);
    log.clear();
    QCOMPARE(cleared.size(), 1);
    QVERIFY(log.isEmpty());
    QCOMPARE(log.byteCount(), 0);
    QVERIFY(log.lineBreaks().empty());
    QCOMPARE(log.text(Kind::Character), QString());
    QCOMPARE(log.text(Kind::Decimal), QString());
    QCOMPARE(log.text(Kind::Hexadecimal), QString());
    log.append("D");
    QCOMPARE(log.text(Kind::Hexadecimal), u"44 "_qs);
}

void tst_ReceiveLog::largeEventIsKeptWhole()
{
    QByteArray bytes(40000, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i % 251);
    ReceiveLog log;
    log.append(bytes);
    QCOMPARE(log.byteCount(), 40000);
    const QString hex = log.text(Kind::Hexadecimal);
    QVERIFY(hex.startsWith(u"0 1 2 3 "_qs));
    // Byte 39999 is 39999 mod 251 = 90 = 0x5A; byte 32767 (the old limit) is 137 = 0x89.
    QVERIFY(hex.endsWith(u" 58 59 5A "_qs));
    QCOMPARE(hex.split(u' ', Qt::SkipEmptyParts).size(), 40000);
    QCOMPARE(hex.split(u' ', Qt::SkipEmptyParts).at(32767), u"89"_qs);
}

void tst_ReceiveLog::isEmptyCountsBreaks()
{
    ReceiveLog log;
    QVERIFY(log.isEmpty());
    log.addLineBreak();
    QVERIFY(!log.isEmpty());
    QCOMPARE(log.text(Kind::Hexadecimal), u"\r\n"_qs);
}

QTEST_GUILESS_MAIN(tst_ReceiveLog)
#include "tst_receivelog.moc"
