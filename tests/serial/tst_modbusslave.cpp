// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/sim/modbusslave.h"

#include "core/crc16.h"

#include <QTest>

// The slave's replies, frame by frame, their CRC added by the test; a "!" frame goes as written.
class tst_ModbusSlave : public QObject
{
    Q_OBJECT
    static QByteArray withCrc(const QString &hex)
    {
        if (hex.startsWith(u'!'))
            return QByteArray::fromHex(hex.mid(1).toLatin1());
        QByteArray frame = QByteArray::fromHex(hex.toLatin1());
        const quint16 crc = Crc16::modbus(frame);
        return frame + char(crc & 0xFF) + char(crc >> 8);
    }

private Q_SLOTS:
    void replies_data()
    {
        QTest::addColumn<QStringList>("frames");
        QTest::addColumn<QStringList>("replies"); // one per frame, empty for none
        const auto row
            = [](const char *name, const QStringList &frames, const QStringList &replies) {
                  QTest::newRow(name) << frames << replies;
              };
        row("read 2 from 0", {"010300000002"}, {"01030400000000"});
        row("a known frame's CRC", {"!010300000002C40B"}, {"01030400000000"});
        row("write echoes, read shows it", {"010600011234", "010300010001"},
            {"010600011234", "0103021234"});
        row("read the last register", {"0103000f0001"}, {"0103020000"});
        row("read past the end", {"0103000f0002"}, {"018302"});
        row("read count 0", {"010300000000"}, {"018303"});
        row("read count 126", {"01030000007e"}, {"018303"});
        row("read count 125", {"01030000007d"}, {"018302"});
        row("write beyond", {"01060010ffff"}, {"018602"});
        row("function 16", {"0110000000010200ff"}, {"019001"});
        row("broadcast write: done, no reply", {"000600020007", "010300020001"},
            {"", "0103020007"});
        row("broadcast read: no reply", {"000300000001"}, {""});
        row("another slave", {"020300000001"}, {""});
        row("CRC bytes swapped", {"!0103000000020BC4"}, {""});
        row("too short", {"!0103"}, {""});
        row("a read with no data", {"0103"}, {"018303"});
    }
    void replies()
    {
        QFETCH(QStringList, frames);
        QFETCH(QStringList, replies);
        ModbusSlave slave(9600);
        qint64 now = 0;
        for (qsizetype i = 0; i < frames.size(); ++i) {
            QCOMPARE(slave.feed(withCrc(frames[i]), now), QByteArray());
            now += 4009; // 3.5 characters of 11 bits at 9600 baud are 4010 µs
            QCOMPARE(slave.poll(now), QByteArray());
            QCOMPARE(slave.poll(++now).toHex(),
                replies[i].isEmpty() ? QByteArray() : withCrc(replies[i]).toHex());
            now += 1000000;
        }
    }

    // A frame ends at a silence of 3.5 characters of 11 bits, at least 1.75 ms; speed 0 is 9600.
    void frameGap()
    {
        QCOMPARE(ModbusSlave(19200).frameGapMicroseconds(), 2005);
        QCOMPARE(ModbusSlave(38400).frameGapMicroseconds(), 1750);
        QCOMPARE(ModbusSlave(0).frameGapMicroseconds(), 4010);
    }
};

QTEST_GUILESS_MAIN(tst_ModbusSlave)
#include "tst_modbusslave.moc"
