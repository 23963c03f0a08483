// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/runtimeerror.h"
#include "terminal/sendencoding.h"
#include "tests/support/rows.h"

#include <QTest>

using Encoder = QByteArray (*)(const QString &);
Q_DECLARE_METATYPE(Encoder)

// The send lines' encodings of the byte lists a user types.
class tst_SendEncoding : public QObject
{
    Q_OBJECT
private Q_SLOTS:
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
};

QTEST_GUILESS_MAIN(tst_SendEncoding)
#include "tst_sendencoding.moc"
