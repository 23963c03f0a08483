// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/receiveformatter.h"

#include <QTest>

using Kind = ReceiveFormatter::Kind;

// The one suite for byte formatting; the receive areas show these texts as they are.
class tst_ReceiveFormatter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyByte_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<QStringList>("items"); // character, decimal, hexadecimal
        // Control pictures, printable ASCII, the DEL picture, and a dot for each byte above 127.
        const QString characters = u"␀␁␂␃␄␅␆␇␈␉␊␋␌␍␎␏␐␑␒␓␔␕␖␗␘␙␚␛␜␝␞␟"_qs
            + u" !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`"_qs
            + u"abcdefghijklmnopqrstuvwxyz{|}~␡"_qs + QString(128, u'·');
        for (int b = 0; b < 256; ++b) {
            QTest::addRow("%d", b) << b
                                   << QStringList {QString(characters.at(b)),
                                          QString::asprintf("%d", b), QString::asprintf("%X", b)};
        }
    }
    // Through text() as well, where the bytes above 127 pass a char buffer.
    void everyByte()
    {
        QFETCH(int, byte);
        QFETCH(QStringList, items);
        for (Kind kind : {Kind::Character, Kind::Decimal, Kind::Hexadecimal}) {
            QCOMPARE(ReceiveFormatter::item(kind, uchar(byte)), items.at(int(kind)));
            QCOMPARE(ReceiveFormatter::text(kind, QByteArray(1, char(byte)), {}),
                items.at(int(kind)) + u' ');
        }
        QCOMPARE(ReceiveFormatter::byteList(QByteArray(1, char(byte)), {}),
            QString::asprintf("%02X", byte));
    }
    // A byte list has one line per received line, none empty, and no comma at either end.
    void byteListLines()
    {
        QCOMPARE(ReceiveFormatter::byteList("\x01\x03\xFF", {0, 2, 2, 3}), u"01,03\r\nFF"_qs);
    }
};

QTEST_GUILESS_MAIN(tst_ReceiveFormatter)
#include "tst_receiveformatter.moc"
