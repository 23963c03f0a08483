// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/receiveformatter.h"
#include "core/receivelog.h"
#include "core/receivetext.h"

#include <QSignalSpy>
#include <QTest>

using Kind = ReceiveFormatter::Kind;
using Form = ReceiveWriter::Form;

class tst_ReceiveText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Each row's token from every side: its place among breaks and bytes, its characters, the rest.
    void oneToken_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<int>("token");
        QTest::addColumn<int>("breaks");
        QTest::addColumn<int>("byte");
        QTest::addColumn<bool>("isBreak");
        QTest::addColumn<int>("tokenOfByte");
        QTest::addColumn<QString>("toEnd");
        QTest::addColumn<int>("firstChar");
        QTest::addColumn<int>("lastChar");
        QTest::addColumn<QString>("charsAfterFirst");
        QTest::newRow("character, the second of two breaks sharing a place")
            << Kind::Character << QByteArray("A||B") << 2 << 1 << 1 << true << 3 << "\r\nB " << 4
            << 5 << "\nB ";
        QTest::newRow("character, the item after two breaks")
            << Kind::Character << QByteArray("A||B") << 3 << 2 << 1 << false << 3 << "B " << 6 << 7
            << " ";
        QTest::newRow("character, a break at the end")
            << Kind::Character << QByteArray("AB|") << 2 << 0 << 2 << true << 3 << "\r\n"
            << 4 << 5 << "\n";
        QTest::newRow("decimal, a three-digit item after shorter ones")
            << Kind::Decimal << QByteArray("\x07\x2A\xC8") << 2 << 0 << 2 << false << 2 << "200 "
            << 5 << 8 << "00 ";
        QTest::newRow("decimal, after a block of items of one and two digits")
            << Kind::Decimal << QByteArray(QByteArray("\x05\x32").repeated(2048) + "|\xC8") << 4097
            << 1 << 4096 << false << 4097 << "200 " << 10242 << 10245 << "00 ";
        QTest::newRow("hexadecimal, a two-digit item after a break")
            << Kind::Hexadecimal << QByteArray("\x0A|\xFF") << 2 << 1 << 1 << false << 2 << "FF "
            << 4 << 6 << "F ";
    }
    void oneToken()
    {
        QFETCH(Kind, kind);
        QFETCH(QByteArray, log);
        QFETCH(int, token);
        QFETCH(int, firstChar);
        QFETCH(int, lastChar);
        ReceiveLog receiveLog;
        for (const char c : log) // '|' stands for a line break
            c == '|' ? receiveLog.addLineBreak() : receiveLog.append(QByteArrayView(&c, 1));
        const ReceiveText text(&receiveLog, kind);
        QTEST(int(text.breaksBefore(token)), "breaks");
        QTEST(int(text.byteOfToken(token)), "byte");
        QTEST(text.isBreak(token), "isBreak");
        QTEST(int(text.tokenOfByte(text.byteOfToken(token))), "tokenOfByte");
        QCOMPARE(int(text.charOfToken(token)), firstChar);
        QCOMPARE(int(text.tokenOfChar(firstChar)), token);
        QCOMPARE(int(text.tokenOfChar(lastChar)), token);
        QCOMPARE(int(text.tokenOfChar(lastChar + 1)), token + 1);
        QTEST(text.slice(token, text.tokenCount()), "toEnd");
        QTEST(text.chars(firstChar + 1, text.charCount() + 5), "charsAfterFirst");
    }

    // Empty: no token; bytes and breaks told in step; cleared: new bytes alone; gone: read empty.
    void emptyClearedAndGone()
    {
        auto log = std::make_unique<ReceiveLog>();
        const ReceiveText text(log.get(), Kind::Hexadecimal);
        QCOMPARE(text.tokenCount(), 0);
        QCOMPARE(text.charCount(), 0);
        QCOMPARE(text.tokenOfChar(3), 0);
        QCOMPARE(text.chars(0, 3), QString());
        QSignalSpy appended(log.get(), &ReceiveLog::appended);
        QSignalSpy breaks(log.get(), &ReceiveLog::lineBreakAdded);
        QSignalSpy cleared(log.get(), &ReceiveLog::cleared);
        log->addLineBreak();
        QVERIFY(!log->isEmpty());
        log->append("AB");
        QVERIFY(log->append(QByteArrayView())); // an empty read changes nothing, and is no failure
        log->addLineBreak();
        log->addLineBreak();
        log->append(QByteArray(40000, 'Z')); // one event beyond the old limit of 32767 bytes
        QCOMPARE(log->bytes(), "AB" + QByteArray(40000, 'Z'));
        QCOMPARE(appended.size(), 2);
        QCOMPARE(appended.last().at(0).value<qsizetype>(), 2);
        QCOMPARE(breaks.size(), 3);
        QCOMPARE(text.charCount(), 3 * 2 + 40002 * 3); // breaks and items of two digits
        log->clear();
        QCOMPARE(cleared.size(), 1);
        QVERIFY(log->isEmpty());
        log->append(QByteArray(5000, '\x01'));
        QCOMPARE(text.charCount(), 10000);
        log.reset();
        QCOMPARE(text.charCount(), 0);
        QCOMPARE(text.slice(0, 1), QString());
    }

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
    // Through text() and a stepped copy of "|bb||b|" (bytes above 127 pass a char buffer).
    void everyByte()
    {
        QFETCH(int, byte);
        QFETCH(QStringList, items);
        ReceiveLog log;
        for (const int bytes : {0, 2, 0, 0, 1, 0})
            bytes ? log.append(QByteArray(bytes, char(byte))) : log.addLineBreak();
        const auto copy = [&log](Form form, Kind kind, int from, int to) {
            ReceiveWriter writer(form, kind, ReceiveText(&log, kind).range(from, to));
            QByteArray out(writer.room(), Qt::Uninitialized);
            for (; !writer.atEnd(); log.append("\x7F"))
                writer.write(out, log.bytes(), log.lineBreaks(), 1);
            return QString::fromUtf8(out.first(writer.written()));
        };
        for (Kind kind : {Kind::Character, Kind::Decimal, Kind::Hexadecimal}) { // item() makes both
            const QString text = u"\r\n%1%1\r\n\r\n%1\r\n"_qs.arg(items.at(int(kind)) + u' ');
            QCOMPARE(ReceiveFormatter::text(kind, log.bytes().first(3), log.lineBreaks()), text);
            QCOMPARE(copy(Form::AreaText, kind, 0, 7), text);
        }
        const QString list = QString::asprintf("%02X,%02X\r\n%02X", byte, byte, byte);
        QCOMPARE(ReceiveFormatter::byteList(log.bytes().first(3), log.lineBreaks()), list);
        QCOMPARE(copy(Form::ByteList, Kind::Decimal, 2, 6), list.mid(3)); // from mid-line
        QCOMPARE(copy(Form::ByteList, Kind::Decimal, 3, 5), QString()); // breaks alone
    }
};

QTEST_GUILESS_MAIN(tst_ReceiveText)
#include "tst_receivetext.moc"
