// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/sendencoding.h"

#include "core/runtimeerror.h"

#include <QTest>

using Encoder = QByteArray (*)(const QString &);
Q_DECLARE_METATYPE(Encoder)

class tst_SendEncoding : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void encode_data()
    {
        QTest::addColumn<Encoder>("encode");
        QTest::addColumn<QString>("lines"); // separated by |
        QTest::addColumn<QByteArray>("expected"); // in hexadecimal, or "error" for a data error
        const Encoder ascii = [](const QString &t) { return SendEncoding::ascii(t, u"0"_qs); };
        const Encoder asciiCr = [](const QString &t) { return SendEncoding::ascii(t, u"1"_qs); };
        const Encoder dec = &SendEncoding::decimal, hex = &SendEncoding::hexadecimal;
        QTest::newRow("ascii as typed") << ascii << u" 1,2\t\r\n"_qs << "20312C32090D0A"_qba;
        QTest::newRow("ascii in Big5, CR") << asciiCr << u"例如：A"_qs << "A8D2A670A147410D"_qba;
        // Mended: the characters the converter drops (the last four) used to vanish.
        QTest::newRow("not in Big5") << ascii << u"한|😀|\u200B|\u00AD|\uFEFF|\xD800"_qs << "3F"_qba;
        QTest::newRow("dec items") << dec << u"例如：65,,6 5, 255,&O101,"_qs << "000041FF4100"_qba;
        QTest::newRow("to even") << dec << u"2.5,3.5,-0.5,254.5,255.4"_qs << "020400FEFF"_qba;
        QTest::newRow("dec empty, full-width comma") << dec << u"|0，1"_qs << "00"_qba;
        QTest::newRow("dec errors") << dec << u"65 66|65,256|&HFFFF|1E400"_qs << "error"_qba;
        QTest::newRow("hex items") << hex << u"41,ff,0041,41h,4 1"_qs << "41FF414141"_qba;
        QTest::newRow("hex stops") << hex << u"0x41,&H41,-1,1.5"_qs << "00000001"_qba;
        QTest::newRow("hex errors") << hex << u"41 42|FFFF"_qs << "error"_qba;
        QTest::newRow("32766 commas") << dec << QString(32766, u',') << QByteArray(2 * 32767, '0');
        QTest::newRow("32767 commas") << hex << QString(32767, u',') << "error"_qba;
    }
    void encode()
    {
        QFETCH(Encoder, encode);
        QFETCH(QString, lines);
        QFETCH(QByteArray, expected);
        for (const QString &line : lines.split(u'|')) {
            if (expected == "error")
                QVERIFY_THROWS_EXCEPTION(RunTimeError, encode(line));
            else
                QCOMPARE(encode(line).toHex().toUpper(), expected);
        }
    }
};

QTEST_GUILESS_MAIN(tst_SendEncoding)
#include "tst_sendencoding.moc"
