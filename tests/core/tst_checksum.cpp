// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/rows.h"
#include "tools/checksum.h"

#include <QTest>

using Kind = Checksum::Kind;

// The calculator's folds: boxes from worked examples, the CRC check value, a bit-wise script.
class tst_Checksum : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fold_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected"); // CRC|XOR|sum, empty for a data error
        const auto items = [](int n, const char *item) { return QStringList(n, item).join(u','); };
        QTest::newRow("worked example") << u"01,03,00,00,00,01"_qs << "0A84|03|05";
        QTest::newRow("check") << u"31,32,33,34,35,36,37,38,39"_qs << "4B37|31|DD";
        QTest::newRow("one 16-bit item") << u"1234"_qs << "97AC|34|34";
        QTest::newRow("the widest item") << u"FFFF,1"_qs << "C0C1|FE|00";
        QTest::newRow("tolerated forms") << u" ff , 00000041,9a"_qs << "CBF1|24|DA";
        // Mended: the running sum used to overflow here.
        QTest::newRow("129 x FF") << items(129, "FF") << u"C04E|FF|7F"_qs;
        QTest::newRow("32765 characters") << items(16383, "0") << u"FFE4|00|00"_qs;
        QTest::newRow("32766 characters") << items(16383, "0") + u'0' << QString();
        addRows({"41,42,", "", "   ", "41，42"}, QString()); // empty items
        addRows({"4 1", "\t41", "\u300041"}, QString()); // blanks inside
        addRows({"例如：41", "0x41", "+41", "４１"}, QString()); // not hexadecimal
        addRows({"41h", "0010000"}, QString()); // a suffix, above FFFF
    }
    void fold()
    {
        QFETCH(QString, input);
        QStringList boxes;
        for (Kind kind : {Kind::Crc, Kind::Xor, Kind::Sum}) {
            if (const auto v = Checksum::fold(kind, input))
                boxes << (kind == Kind::Crc ? Checksum::fourDigits(*v)
                                            : Checksum::lowByteDigits(*v));
        }
        QTEST(boxes.join(u'|'), "expected");
    }
    // The two bytes go low first; an item must be a byte, as the send line will send it.
    void withModbusCrc()
    {
        QCOMPARE(Checksum::withModbusCrc(u"01,03,00,00,00,01"_qs), u"01,03,00,00,00,01,84,0A"_qs);
        QCOMPARE(Checksum::withModbusCrc(u"FF"_qs), u"FF,FF,00"_qs); // the widest byte
        for (const QString &bad : {u""_qs, u"01,,03"_qs, u"01,03,"_qs, u"0103"_qs, u"x1"_qs})
            QVERIFY2(!Checksum::withModbusCrc(bad), qPrintable(bad));
    }
};

QTEST_GUILESS_MAIN(tst_Checksum)
#include "tst_checksum.moc"
