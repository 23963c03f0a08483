// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/sim/modbusslave.h"

#include <QTest>

class tst_ModbusSlave : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // One slave gets a row's requests in turn, each in two parts with a pause shorter than the gap
    // between them; the next request's first byte brings the reply ("-" for none).
    void replies_data()
    {
        QTest::addColumn<QString>("requests");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("gap"); // 3.5 characters of 11 bits, but 1.75 ms above 19200 baud
        QTest::addColumn<QString>("replies");
        QTest::newRow("last register") << "0103000F0001B409" << 9600 << 4011 << "0103020000B844";
        QTest::newRow("past the end") << "0103000F0002F408" << 115200 << 1750 << "018302C0F1";
        QTest::newRow("count 126") << "01030000007EC5EA" << 19200 << 2006 << "0183030131";
        // Mended: a rate of 0 or below divided by zero; such a slave times frames as at 9600 baud.
        QTest::newRow("write beyond") << "01060010000149CF" << 0 << 4011 << "018602C3A1";
        QTest::newRow("four bytes, function 0") << "01000020" << -9600 << 4011 << "0180018000";
        QTest::newRow("bad CRC, other slave")
            << "0103000000020BC4 020300000002C438" << 9600 << 4011 << "- -";
        QTest::newRow("silence splits") << "010300 000002C40B" << 9600 << 4011 << "- -";
        // A broadcast write is carried out unanswered, a broadcast read ignored.
        QTest::newRow("writes read back")
            << "010600018001780A 0006000200076819 000300000002C5DA 01030000000305CB" << 9600 << 4011
            << "010600018001780A - - 01030600008001000718B7";
    }
    void replies()
    {
        QFETCH(QString, requests);
        QFETCH(int, rate);
        QFETCH(int, gap);
        QFETCH(QString, replies);
        const auto text
            = [](QByteArray r) { return r.isEmpty() ? "-" : QString(r.toHex().toUpper()); };
        ModbusSlave slave(rate);
        QStringList got;
        qint64 at = 0;
        for (const QString &request : requests.split(u' ')) {
            const QByteArray bytes = QByteArray::fromHex(request.toLatin1());
            got << text(slave.feed(bytes.first(2), at));
            QVERIFY(slave.feed(bytes.sliced(2), at += gap - 12).isEmpty());
            QVERIFY(slave.poll(at += gap - 12).isEmpty());
            at += 12;
        }
        got << text(slave.poll(at));
        QCOMPARE(got.mid(1).join(u' '), replies);
    }
};

QTEST_GUILESS_MAIN(tst_ModbusSlave)
#include "tst_modbusslave.moc"
