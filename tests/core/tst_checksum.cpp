// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/runtimeerror.h"
#include "terminal/basicval.h"
#include "terminal/sendencoding.h"
#include "tests/support/rows.h"
#include "tests/support/testgroup.h"
#include "tools/checksum.h"

#include <QTest>

using Encoder = QByteArray (*)(const QString &);
Q_DECLARE_METATYPE(Encoder)
using Kind = Checksum::Kind;

// The byte lists a user types: decimal items read as numbers, the send lines' encodings, and the
// calculator's folds (expected boxes from worked examples, the CRC check value, a bit-wise script).
class tst_ByteLists : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void read_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        addRows({"", "例如：65", "& HF", "1E-400"}, 0.0);
        addRows({"65abc", " 6\t5\n", "+65", "65\r9"}, 65.0); // the rest ignored
        addRows({"&H41G", "&h 04 1", " &O101", "&o1018"}, 65.0);
        addRows({"- 9.5.1", "-.95D1", "-950D-2"}, -9.5);
        addRows({"1E2", "1e+2", "1d2", ".1 E 3"}, 100.0);
        addRows({"1E+x", "1e"}, 1.0); // an exponent without digits
        addRows({"1E400", "0.5E400"}, qInf());
        QTest::newRow("underflow past 400 zeros") << "0." + QString(400, u'0') + "1E5" << 0.0;
        QTest::newRow("overflow before 400 zeros") << "0.1" + QString(400, u'0') + "E400" << qInf();
        QTest::newRow("overflow by 400 digits") << "1" + QString(400, u'0') << qInf();
        addRows({"-1E400"}, -qInf());
        addRows({"&H7FFF", "&O77777"}, 32767.0); // the 16-bit top
        addRows({"&HFFFF", "&O177777", "&HFFFFFFFF"}, -1.0); // wraps
        addRows({"&H7FFFFFFF"}, 2147483647.0); // the 32-bit top
        addRows({"&H10000"}, 65536.0); // five digits widen to 32 bits
    }
    void read()
    {
        QFETCH(QString, text);
        QTEST(BasicVal::read(text), "expected");
    }
    void encode_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<Encoder>("encode");
        QTest::addColumn<QByteArray>("expected"); // in hexadecimal, or "error" for a data error
        const Encoder ascii = [](const QString &t) { return SendEncoding::ascii(t, u"0"_qs); };
        const Encoder asciiCr = [](const QString &t) { return SendEncoding::ascii(t, u"1"_qs); };
        const Encoder dec = &SendEncoding::decimal, hex = &SendEncoding::hexadecimal;
        QTest::newRow("ascii as typed") << u" 1,2\t\r\n"_qs << ascii << "20312C32090D0A"_qba;
        QTest::newRow("ascii in Big5, CR") << u"例如：A"_qs << asciiCr << "A8D2A670A147410D"_qba;
        // Mended: the characters the converter drops (the last four) used to vanish.
        addRows({"한", "😀", "\u200B", "\u00AD", QStringLiteral("\uFEFF"), QString(QChar(0xD800))},
            ascii, "3F"_qba);
        QTest::newRow("dropped, lone low surrogate")
            << u"\u200B"_qs + QChar(0xDC00) << ascii << "3F3F"_qba;
        QTest::newRow("dec items") << u"例如：65,,6 5, 255,&O101,"_qs << dec << "000041FF4100"_qba;
        QTest::newRow("to even") << u"2.5,3.5,-0.5,254.5,255.4"_qs << dec << "020400FEFF"_qba;
        addRows({"", "0，1"}, dec, "00"_qba); // empty, a full-width comma
        addRows({"65 66", "65,256", "&HFFFF", "1E400"}, dec, "error"_qba);
        QTest::newRow("hex items") << u"41,ff,0041,41h,4 1"_qs << hex << "41FF414141"_qba;
        QTest::newRow("hex stops") << u"0x41,&H41,-1,1.5"_qs << hex << "00000001"_qba;
        addRows({"41 42", "FFFF"}, hex, "error"_qba);
        QTest::newRow("32766 commas") << QString(32766, u',') << dec << QByteArray(2 * 32767, '0');
        QTest::newRow("32767 commas") << QString(32767, u',') << hex << "error"_qba;
    }
    void encode()
    {
        QFETCH(QString, line);
        QFETCH(Encoder, encode);
        QFETCH(QByteArray, expected);
        if (expected == "error")
            QVERIFY_THROWS_EXCEPTION(RunTimeError, encode(line));
        else
            QCOMPARE(encode(line).toHex().toUpper(), expected);
    }
    void fold_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected"); // CRC|XOR|sum, empty for a data error
        const auto items = [](int n, const char *item) { return QStringList(n, item).join(u','); };
        QTest::newRow("worked example") << u"01,03,00,00,00,01"_qs << "0A84|03|05";
        QTest::newRow("check") << u"31,32,33,34,35,36,37,38,39"_qs << "4B37|31|DD";
        QTest::newRow("one 16-bit item") << u"1234"_qs << "97AC|34|34";
        QTest::newRow("tolerated forms") << u" ff , 00000041,9a"_qs << "CBF1|24|DA";
        QTest::newRow("sum wraps") << u"FFFF,1"_qs << "C0C1|FE|00";
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
        for (const QString &bad : {u""_qs, u"01,,03"_qs, u"01,03,"_qs, u"0103"_qs, u"x1"_qs})
            QVERIFY2(!Checksum::withModbusCrc(bad), qPrintable(bad));
    }
    void characterCodes() { QCOMPARE(Checksum::characterCodes(u"C6"_qs), u"43 ,36"_qs); }
};

VEDIRA_TEST_CLASS(tst_ByteLists);
#include "tst_bytelists.moc"
