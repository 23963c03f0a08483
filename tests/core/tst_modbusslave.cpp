// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/modbusslave.h"

#include <QTest>

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

// 3.5 characters of 11 bits at 9600 baud is 4.01 ms.
constexpr qint64 GapAt9600 = 4011;

// Feeds one request at once and returns what the slave says once the line has been quiet.
QByteArray ask(ModbusSlave &slave, const QByteArray &request, qint64 at)
{
    if (!slave.feed(request, at).isEmpty())
        return "reply before the frame ended";
    return slave.poll(at + GapAt9600);
}

} // namespace

class tst_ModbusSlave : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void crcCheckValues();
    void reply_data();
    void reply();
    void readAllSixteen();
    void writeThenReadBack();
    void broadcastWriteIsSilentButDone();
    void noReplyBeforeTheGap();
    void frameInTwoReadsIsOneFrame();
    void silenceInsideAFrameBreaksIt();
    void nextFrameShowsTheGap();
    void fastLinesKeepTheFixedGap();
    void rateWithoutCharacterTime();
};

void tst_ModbusSlave::crcCheckValues()
{
    QCOMPARE(ModbusSlave::crc16("123456789"), quint16(0x4B37));
    QCOMPARE(ModbusSlave::crc16(hex("010300000002")), quint16(0x0BC4));
    QCOMPARE(ModbusSlave::crc16(hex("0103000A0002")), quint16(0x09E4));
}

void tst_ModbusSlave::reply_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("reply");

    QTest::newRow("read 2 from 0") << hex("010300000002C40B") << hex("01030400000000FA33");
    QTest::newRow("read 2 from 10") << hex("0103000A0002E409") << hex("01030400000000FA33");
    QTest::newRow("read the last register") << hex("0103000F0001B409") << hex("0103020000B844");
    QTest::newRow("read past the end") << hex("0103000F0002F408") << hex("018302C0F1");
    QTest::newRow("read from beyond") << hex("01030010000185CF") << hex("018302C0F1");
    QTest::newRow("read count zero") << hex("01030000000045CA") << hex("0183030131");
    QTest::newRow("read count over 125") << hex("01030000007EC5EA") << hex("0183030131");
    QTest::newRow("read frame too long") << hex("0103000000010000E307") << hex("0183030131");
    QTest::newRow("write echoes") << hex("010600010102585B") << hex("010600010102585B");
    QTest::newRow("write top bit set") << hex("0106000F800119C9") << hex("0106000F800119C9");
    QTest::newRow("write beyond") << hex("01060010000149CF") << hex("018602C3A1");
    QTest::newRow("write far beyond") << hex("01060100000149F6") << hex("018602C3A1");
    QTest::newRow("function 16") << hex("0110000000010200FFE610") << hex("0190018DC0");
    QTest::newRow("function 0") << hex("01000020") << hex("0180018000");
    QTest::newRow("bad CRC") << hex("010300000002C40C") << QByteArray();
    QTest::newRow("CRC bytes swapped") << hex("0103000000020BC4") << QByteArray();
    QTest::newRow("other slave") << hex("020300000002C438") << QByteArray();
    QTest::newRow("too short") << hex("0103") << QByteArray();
    QTest::newRow("broadcast read") << hex("000300000002C5DA") << QByteArray();
}

void tst_ModbusSlave::reply()
{
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, reply);
    ModbusSlave slave;
    QCOMPARE(ask(slave, request, 1000).toHex(' '), reply.toHex(' '));
    QVERIFY(slave.poll(1000 + 10 * GapAt9600).isEmpty()); // answered once
}

void tst_ModbusSlave::readAllSixteen()
{
    ModbusSlave slave;
    for (int i = 0; i < 16; ++i)
        slave.setHoldingRegister(i, quint16(0x11A0 + 0x0101 * i));
    QCOMPARE(ask(slave, hex("0103000000104406"), 0).toHex(),
        QByteArray("01032011a012a113a214a315a416a517a618a719a81aa91baa1cab1dac1ead1fae20afa79e"));
}

void tst_ModbusSlave::writeThenReadBack()
{
    ModbusSlave slave;
    QCOMPARE(ask(slave, hex("010600010102585B"), 0), hex("010600010102585B"));
    QCOMPARE(ask(slave, hex("010300000002C40B"), 100000), hex("010304000001027A62"));
}

void tst_ModbusSlave::broadcastWriteIsSilentButDone()
{
    ModbusSlave slave;
    QCOMPARE(ask(slave, hex("0006000200076819"), 0), QByteArray());
    QCOMPARE(ask(slave, hex("01030002000125CA"), 100000), hex("0103020007F986"));
}

void tst_ModbusSlave::noReplyBeforeTheGap()
{
    ModbusSlave slave;
    QVERIFY(slave.feed(hex("010300000002C40B"), 5000).isEmpty());
    QVERIFY(slave.frameInProgress());
    QVERIFY(slave.poll(5000 + GapAt9600 - 100).isEmpty());
    QCOMPARE(slave.poll(5000 + GapAt9600), hex("01030400000000FA33"));
    QVERIFY(!slave.frameInProgress());
}

void tst_ModbusSlave::frameInTwoReadsIsOneFrame()
{
    ModbusSlave slave;
    QVERIFY(slave.feed(hex("010300"), 0).isEmpty());
    QVERIFY(slave.poll(3000).isEmpty());
    QVERIFY(slave.feed(hex("000002C40B"), 3000).isEmpty()); // 3 ms: still the same frame
    QCOMPARE(slave.poll(3000 + GapAt9600), hex("01030400000000FA33"));
}

void tst_ModbusSlave::silenceInsideAFrameBreaksIt()
{
    ModbusSlave slave;
    QVERIFY(slave.feed(hex("010300"), 0).isEmpty());
    QVERIFY(slave.feed(hex("000002C40B"), 5000).isEmpty()); // the first half was a bad frame
    QVERIFY(slave.poll(5000 + GapAt9600).isEmpty());
}

void tst_ModbusSlave::nextFrameShowsTheGap()
{
    ModbusSlave slave;
    QVERIFY(slave.feed(hex("010300000002C40B"), 0).isEmpty());
    QCOMPARE(slave.feed(hex("0103000A0002E409"), 20000), hex("01030400000000FA33"));
    QCOMPARE(slave.poll(20000 + GapAt9600), hex("01030400000000FA33"));
}

void tst_ModbusSlave::fastLinesKeepTheFixedGap()
{
    // At 115200 baud 3.5 characters last 0.33 ms, but the line rules keep 1.75 ms.
    ModbusSlave slave(115200);
    QVERIFY(slave.feed(hex("010300"), 0).isEmpty());
    QVERIFY(slave.poll(1000).isEmpty());
    QVERIFY(slave.feed(hex("000002C40B"), 1000).isEmpty());
    QVERIFY(slave.poll(1000 + 1700).isEmpty());
    QCOMPARE(slave.poll(1000 + 1750), hex("01030400000000FA33"));
}

void tst_ModbusSlave::rateWithoutCharacterTime()
{
    // A zero rate once divided by zero; it times frames as the default rate does.
    for (qint32 rate : {0, -9600}) {
        ModbusSlave slave(rate);
        QCOMPARE(slave.frameGapMicroseconds(), ModbusSlave().frameGapMicroseconds());
        QCOMPARE(ask(slave, hex("010300000002C40B"), 0), hex("01030400000000FA33"));
    }
}

QTEST_GUILESS_MAIN(tst_ModbusSlave)
#include "tst_modbusslave.moc"
