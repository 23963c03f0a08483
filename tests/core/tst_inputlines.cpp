// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/inputlines.h"

#include <QTest>

// Lines written as four flags "CTS DSR CD RI", so a row reads like a line monitor.
static InputLines lines(const char *flags)
{
    return {flags[0] == '1', flags[1] == '1', flags[2] == '1', flags[3] == '1'};
}

class tst_InputLines : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void changeEvents_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("now");
        QTest::addColumn<QList<qint16>>("events");
        using L = InputLines;
        QTest::newRow("no change") << QByteArray("1010") << QByteArray("1010") << QList<qint16>();
        QTest::newRow("CTS rises")
            << QByteArray("0000") << QByteArray("1000") << QList<qint16> {L::EvCTS};
        QTest::newRow("CTS falls")
            << QByteArray("1000") << QByteArray("0000") << QList<qint16> {L::EvCTS};
        QTest::newRow("DSR rises")
            << QByteArray("0000") << QByteArray("0100") << QList<qint16> {L::EvDSR};
        QTest::newRow("DSR falls")
            << QByteArray("0110") << QByteArray("0010") << QList<qint16> {L::EvDSR};
        QTest::newRow("CD rises") << QByteArray("0000") << QByteArray("0010")
                                  << QList<qint16> {L::EvCD};
        QTest::newRow("CD falls") << QByteArray("0010") << QByteArray("0000")
                                  << QList<qint16> {L::EvCD};
        QTest::newRow("ring starts")
            << QByteArray("0000") << QByteArray("0001") << QList<qint16> {L::EvRing};
        QTest::newRow("ring ends") << QByteArray("0001") << QByteArray("0000") << QList<qint16>();
        QTest::newRow("all at once, in order") << QByteArray(
            "0000") << QByteArray("1111") << QList<qint16> {L::EvCTS, L::EvDSR, L::EvCD, L::EvRing};
    }
    void changeEvents()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, now);
        QFETCH(QList<qint16>, events);
        QCOMPARE(InputLines::changeEvents(lines(before), lines(now)), events);
    }
};

QTEST_GUILESS_MAIN(tst_InputLines)
#include "tst_inputlines.moc"
