// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/receiveformatter.h"

#include <QTest>

using Kind = ReceiveFormatter::Kind;

Q_DECLARE_METATYPE(std::vector<qsizetype>)

namespace {

// The character item written out from the rules for that area, not from the formatter's table.
QString expectedCharacter(int b)
{
    if (b >= 32 && b <= 126)
        return QString(QLatin1Char(char(b)));
    if (b == 127)
        return QStringLiteral("\u2421");
    if (b >= 128)
        return QStringLiteral("\u00B7");
    return QString(QChar(char16_t(u'\u2400' + b)));
}

} // namespace

class tst_ReceiveFormatter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyByte_data();
    void everyByte();
    void edgeBytes_data();
    void edgeBytes();
    void text_data();
    void text();
    void allBytesInOneText_data();
    void allBytesInOneText();

private:
    void checkItems();
};

void tst_ReceiveFormatter::everyByte_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("hexadecimal");
    for (int b = 0; b < 256; ++b) {
        QTest::addRow("%d", b) << b << expectedCharacter(b) << QString::asprintf("%d", b)
                               << QString::number(b, 16).toUpper();
    }
}

void tst_ReceiveFormatter::everyByte()
{
    checkItems();
}

void tst_ReceiveFormatter::checkItems()
{
    QFETCH(int, byte);
    QFETCH(QString, character);
    QFETCH(QString, decimal);
    QFETCH(QString, hexadecimal);
    QCOMPARE(ReceiveFormatter::item(Kind::Character, uchar(byte)), character);
    QCOMPARE(ReceiveFormatter::item(Kind::Decimal, uchar(byte)), decimal);
    QCOMPARE(ReceiveFormatter::item(Kind::Hexadecimal, uchar(byte)), hexadecimal);
}

void tst_ReceiveFormatter::edgeBytes_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("hexadecimal");
    QTest::newRow("NUL") << 0 << u"␀"_qs << u"0"_qs << u"0"_qs;
    QTest::newRow("LF") << 10 << u"␊"_qs << u"10"_qs << u"A"_qs;
    QTest::newRow("CR") << 13 << u"␍"_qs << u"13"_qs << u"D"_qs;
    QTest::newRow("US") << 31 << u"␟"_qs << u"31"_qs << u"1F"_qs;
    QTest::newRow("blank") << 32 << u" "_qs << u"32"_qs << u"20"_qs;
    QTest::newRow("A") << 65 << u"A"_qs << u"65"_qs << u"41"_qs;
    QTest::newRow("tilde") << 126 << u"~"_qs << u"126"_qs << u"7E"_qs;
    QTest::newRow("DEL") << 127 << u"␡"_qs << u"127"_qs << u"7F"_qs;
    QTest::newRow("128") << 128 << u"·"_qs << u"128"_qs << u"80"_qs;
    QTest::newRow("Big5 lead A4") << 0xA4 << u"·"_qs << u"164"_qs << u"A4"_qs;
    QTest::newRow("255") << 255 << u"·"_qs << u"255"_qs << u"FF"_qs;
}

void tst_ReceiveFormatter::edgeBytes()
{
    checkItems();
}

void tst_ReceiveFormatter::text_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<std::vector<qsizetype>>("breaks");
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("hexadecimal");
    using Breaks = std::vector<qsizetype>;
    QTest::newRow("empty") << QByteArray() << Breaks {} << QString() << QString() << QString();
    QTest::newRow("A B CR") << QByteArray("\x41\x42\x0D") << Breaks {} << u"A B ␍ "_qs
                            << u"65 66 13 "_qs << u"41 42 D "_qs;
    QTest::newRow("break between")
        << QByteArray("AB") << Breaks {1} << u"A \r\nB "_qs << u"65 \r\n66 "_qs << u"41 \r\n42 "_qs;
    QTest::newRow("break at end") << QByteArray("Z") << Breaks {1} << u"Z \r\n"_qs << u"90 \r\n"_qs
                                  << u"5A \r\n"_qs;
    QTest::newRow("two breaks at one place")
        << QByteArray("\x00\xFF", 2) << Breaks {1, 1} << u"␀ \r\n\r\n· "_qs << u"0 \r\n\r\n255 "_qs
        << u"0 \r\n\r\nFF "_qs;
    QTest::newRow("break before all")
        << QByteArray("\n") << Breaks {0} << u"\r\n␊ "_qs << u"\r\n10 "_qs << u"\r\nA "_qs;
    QTest::newRow("breaks only") << QByteArray() << Breaks {0} << u"\r\n"_qs << u"\r\n"_qs
                                 << u"\r\n"_qs;
}

void tst_ReceiveFormatter::text()
{
    QFETCH(QByteArray, bytes);
    QFETCH(std::vector<qsizetype>, breaks);
    QFETCH(QString, character);
    QFETCH(QString, decimal);
    QFETCH(QString, hexadecimal);
    QCOMPARE(ReceiveFormatter::text(Kind::Character, bytes, breaks), character);
    QCOMPARE(ReceiveFormatter::text(Kind::Decimal, bytes, breaks), decimal);
    QCOMPARE(ReceiveFormatter::text(Kind::Hexadecimal, bytes, breaks), hexadecimal);
}

void tst_ReceiveFormatter::allBytesInOneText_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("character") << int(Kind::Character);
    QTest::newRow("decimal") << int(Kind::Decimal);
    QTest::newRow("hexadecimal") << int(Kind::Hexadecimal);
}

// The bytes above 127 pass through a char buffer here, where a signed-char fault would show.
void tst_ReceiveFormatter::allBytesInOneText()
{
    QFETCH(int, kind);
    QByteArray bytes;
    QString expected;
    for (int b = 0; b < 256; ++b) {
        bytes.append(char(b));
        switch (Kind(kind)) {
        case Kind::Character:
            expected += expectedCharacter(b);
            break;
        case Kind::Decimal:
            expected += QString::asprintf("%d", b);
            break;
        case Kind::Hexadecimal:
            expected += QString::asprintf("%X", b);
            break;
        }
        expected += u' ';
    }
    QCOMPARE(ReceiveFormatter::text(Kind(kind), bytes, {}), expected);
}

QTEST_GUILESS_MAIN(tst_ReceiveFormatter)
#include "tst_receiveformatter.moc"
