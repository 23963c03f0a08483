// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/checksum.h"

#include <QTest>

// Expected texts come from the worked results of the design, from the published CRC-16/MODBUS
// check value and Modbus request frames, and from a separate bit-by-bit script; never from the
// code under test.
class tst_Checksum : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void outputs_data();
    void outputs();
    void dataErrors_data();
    void dataErrors();
    void inputLength_data();
    void inputLength();
    void characterCodes_data();
    void characterCodes();
};

namespace {

QString repeated(const QString &item, int count)
{
    QStringList items;
    for (int i = 0; i < count; ++i)
        items.append(item);
    return items.join(u',');
}

struct Texts
{
    QString crc, crcHigh, crcLow, xorText, xorHex, sum, sumHex;
};

// The seven boxes as the calculator fills them; empty where the fold is a data error.
Texts outputsFor(const QString &input)
{
    Texts t;
    if (const auto crc = Checksum::fold(Checksum::Kind::Crc, input)) {
        t.crc = Checksum::fourDigits(*crc);
        t.crcHigh = t.crc.left(2);
        t.crcLow = t.crc.right(2);
    }
    if (const auto x = Checksum::fold(Checksum::Kind::Xor, input)) {
        t.xorText = Checksum::lowByteDigits(*x);
        t.xorHex = Checksum::characterCodes(t.xorText);
    }
    if (const auto s = Checksum::fold(Checksum::Kind::Sum, input)) {
        t.sum = Checksum::lowByteDigits(*s);
        t.sumHex = Checksum::characterCodes(t.sum);
    }
    return t;
}

} // namespace

void tst_Checksum::outputs_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("crc");
    QTest::addColumn<QString>("xorText");
    QTest::addColumn<QString>("xorHex");
    QTest::addColumn<QString>("sum");
    QTest::addColumn<QString>("sumHex");

    // The design's worked table.
    QTest::newRow("01,03,00,00,00,01") << "01,03,00,00,00,01"
                                       << "0A84"
                                       << "03"
                                       << "30 ,33"
                                       << "05"
                                       << "30 ,35";
    QTest::newRow("41,42,43") << "41,42,43"
                              << "8550"
                              << "40"
                              << "34 ,30"
                              << "C6"
                              << "43 ,36";
    QTest::newRow("31..39") << "31,32,33,34,35,36,37,38,39"
                            << "4B37"
                            << "31"
                            << "33 ,31"
                            << "DD"
                            << "44 ,44";
    QTest::newRow("1234 is one 16-bit item") << "1234"
                                             << "97AC"
                                             << "34"
                                             << "33 ,34"
                                             << "34"
                                             << "33 ,34";

    // Modbus read-holding-registers requests; the CRC goes on the wire low byte first.
    QTest::newRow("request E4 09") << "01,03,00,0A,00,02"
                                   << "09E4"
                                   << "0A"
                                   << "30 ,41"
                                   << "10"
                                   << "31 ,30";
    QTest::newRow("request C4 0B") << "01,03,00,00,00,02"
                                   << "0BC4"
                                   << "00"
                                   << "30 ,30"
                                   << "06"
                                   << "30 ,36";

    QTest::newRow("FF") << "FF"
                        << "00FF"
                        << "FF"
                        << "46 ,46"
                        << "FF"
                        << "46 ,46";
    QTest::newRow("ff same as FF") << "ff"
                                   << "00FF"
                                   << "FF"
                                   << "46 ,46"
                                   << "FF"
                                   << "46 ,46";
    QTest::newRow("41") << "41"
                        << "707F"
                        << "41"
                        << "34 ,31"
                        << "41"
                        << "34 ,31";
    QTest::newRow("0041 same as 41") << "0041"
                                     << "707F"
                                     << "41"
                                     << "34 ,31"
                                     << "41"
                                     << "34 ,31";
    QTest::newRow("00000041: zeros do not count") << "00000041"
                                                  << "707F"
                                                  << "41"
                                                  << "34 ,31"
                                                  << "41"
                                                  << "34 ,31";
    QTest::newRow("FFFF,1: sum wraps to 00") << "FFFF,1"
                                             << "C0C1"
                                             << "FE"
                                             << "46 ,45"
                                             << "00"
                                             << "30 ,30";
    QTest::newRow("128 x FF") << repeated("FF", 128) << "8FFE"
                              << "00"
                              << "30 ,30"
                              << "80"
                              << "38 ,30";
    // Mended: the running sum used to overflow here.
    QTest::newRow("129 x FF") << repeated("FF", 129) << "C04E"
                              << "FF"
                              << "46 ,46"
                              << "7F"
                              << "37 ,46";
    QTest::newRow("bytes adding past 7FFF") << repeated("FF", 200) << "3528"
                                            << "00"
                                            << "30 ,30"
                                            << "38"
                                            << "33 ,38";

    // Blanks right before or after the digits are tolerated.
    QTest::newRow("blanks around items") << " 41 , 42,43 "
                                         << "8550"
                                         << "40"
                                         << "34 ,30"
                                         << "C6"
                                         << "43 ,36";
}

void tst_Checksum::outputs()
{
    QFETCH(QString, input);
    QFETCH(QString, crc);
    QFETCH(QString, xorText);
    QFETCH(QString, xorHex);
    QFETCH(QString, sum);
    QFETCH(QString, sumHex);

    const Texts t = outputsFor(input);
    QCOMPARE(t.crc, crc);
    QCOMPARE(t.crcHigh, crc.left(2));
    QCOMPARE(t.crcLow, crc.right(2));
    QCOMPARE(t.xorText, xorText);
    QCOMPARE(t.xorHex, xorHex);
    QCOMPARE(t.sum, sum);
    QCOMPARE(t.sumHex, sumHex);
}

void tst_Checksum::dataErrors_data()
{
    QTest::addColumn<QString>("input");

    QTest::newRow("comma at the end") << "41,42,";
    QTest::newRow("comma at the start") << ",41";
    QTest::newRow("empty item") << "41,,42";
    QTest::newRow("only a comma") << ",";
    QTest::newRow("empty text") << "";
    QTest::newRow("only blanks") << "   ";
    QTest::newRow("full-width comma") << "41，42";
    QTest::newRow("the example text") << "例如：41,42,43";
    QTest::newRow("Chinese item") << "41,資料";
    QTest::newRow("0x prefix") << "0x41";
    QTest::newRow("&H prefix") << "&H41";
    QTest::newRow("plus sign") << "+41";
    QTest::newRow("minus sign") << "-1";
    QTest::newRow("blank between digits") << "4 1";
    QTest::newRow("tab before digits") << "\t41";
    QTest::newRow("ideographic space") << "\u300041";
    QTest::newRow("full-width digits") << "４１";
    QTest::newRow("not a hex digit") << "1G";
    QTest::newRow("trailing letter") << "41h";
    QTest::newRow("above FFFF") << "10000";
    QTest::newRow("above FFFF after zeros") << "0010000";
    QTest::newRow("semicolon separator") << "41;42";
}

void tst_Checksum::dataErrors()
{
    QFETCH(QString, input);
    QVERIFY(!Checksum::fold(Checksum::Kind::Crc, input));
    QVERIFY(!Checksum::fold(Checksum::Kind::Xor, input));
    QVERIFY(!Checksum::fold(Checksum::Kind::Sum, input));
}

void tst_Checksum::inputLength_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("accepted");

    // "0" and 16382 times ",0": 32,765 characters, the longest input.
    const QString longest = repeated("0", 16383);
    QTest::newRow("32765 characters") << longest << 32765 << true;
    QTest::newRow("32766 characters") << QString(longest + u'0') << 32766 << false;
    QTest::newRow("40000 characters") << QString(40000, u'0') << 40000 << false;
}

void tst_Checksum::inputLength()
{
    QFETCH(QString, input);
    QFETCH(int, length);
    QFETCH(bool, accepted);
    QCOMPARE(input.size(), length);

    const auto crc = Checksum::fold(Checksum::Kind::Crc, input);
    const auto sum = Checksum::fold(Checksum::Kind::Sum, input);
    QCOMPARE(bool(crc), accepted);
    QCOMPARE(bool(sum), accepted);
    QCOMPARE(bool(Checksum::fold(Checksum::Kind::Xor, input)), accepted);
    if (accepted) {
        QCOMPARE(Checksum::fourDigits(*crc), QStringLiteral("FFE4")); // 16383 zero bytes
        QCOMPARE(Checksum::lowByteDigits(*sum), QStringLiteral("00"));
    }
}

void tst_Checksum::characterCodes_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("codes");

    QTest::newRow("C6") << "C6"
                        << "43 ,36";
    QTest::newRow("00") << "00"
                        << "30 ,30";
    QTest::newRow("9A") << "9A"
                        << "39 ,41";
    QTest::newRow("F0") << "F0"
                        << "46 ,30";
}

void tst_Checksum::characterCodes()
{
    QFETCH(QString, digits);
    QFETCH(QString, codes);
    QCOMPARE(Checksum::characterCodes(digits), codes);
}

QTEST_GUILESS_MAIN(tst_Checksum)
#include "tst_checksum.moc"
