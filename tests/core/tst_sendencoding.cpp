// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/sendencoding.h"

#include "settings/runtimeerror.h"

#include <QTest>

#include <optional>

using Encoder = QByteArray (*)(const QString &);
Q_DECLARE_METATYPE(Encoder)
Q_DECLARE_METATYPE(std::optional<QByteArray>)

namespace {
// Expected bytes written in hexadecimal; nullopt stands for a data error.
std::optional<QByteArray> bytes(const char *hex)
{
    return QByteArray::fromHex(hex);
}
const std::optional<QByteArray> dataError;
} // namespace

class tst_SendEncoding : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void ascii_data();
    void ascii();
    void items_data();
    void items();
};

void tst_SendEncoding::ascii_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("sendOpt1");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("AT, no line end")
        << QStringLiteral("AT") << QStringLiteral("0") << QByteArray::fromHex("4154");
    QTest::newRow("AT, CR") << QStringLiteral("AT") << QStringLiteral("1")
                            << QByteArray::fromHex("41540D");
    QTest::newRow("no parsing") << QStringLiteral("1,2") << QStringLiteral("0")
                                << QByteArray::fromHex("312C32");
    QTest::newRow("initial text in Big5") << QStringLiteral("例如：ABC") << QStringLiteral("0")
                                          << QByteArray::fromHex("A8D2A670A147414243");
    QTest::newRow("initial text in Big5, CR") << QStringLiteral("例如：ABC") << QStringLiteral("1")
                                              << QByteArray::fromHex("A8D2A670A1474142430D");
    QTest::newRow("Hangul is not in Big5")
        << QStringLiteral("A한B") << QStringLiteral("0") << QByteArray::fromHex("413F42");
    // Mended: these used to vanish instead of becoming 3F.
    QTest::newRow("zero-width space is not in Big5")
        << QStringLiteral("A\u200BB") << QStringLiteral("0") << QByteArray::fromHex("413F42");
    QTest::newRow("soft hyphen is not in Big5")
        << QStringLiteral("A\u00ADB") << QStringLiteral("0") << QByteArray::fromHex("413F42");
    QTest::newRow("byte-order mark is not in Big5")
        << QStringLiteral("\uFEFFA") << QStringLiteral("0") << QByteArray::fromHex("3F41");
    QTest::newRow("lone surrogate at the end is not in Big5")
        << QString(QStringLiteral("A") + QChar(0xD800)) << QStringLiteral("0")
        << QByteArray::fromHex("413F");
    QTest::newRow("blanks and control characters as typed") << QStringLiteral(
        " A\tB\r\n") << QStringLiteral("0") << QByteArray::fromHex("204109420D0A");
    QTest::newRow("CR after an empty text")
        << QString() << QStringLiteral("1") << QByteArray::fromHex("0D");
    QTest::newRow("line end only for exactly 1")
        << QStringLiteral("AT") << QStringLiteral(" 1") << QByteArray::fromHex("4154");
    QTest::newRow("empty option appends nothing")
        << QStringLiteral("AT") << QString() << QByteArray::fromHex("4154");
}

void tst_SendEncoding::ascii()
{
    QFETCH(QString, text);
    QFETCH(QString, sendOpt1);
    QFETCH(QByteArray, expected);
    QCOMPARE(SendEncoding::ascii(text, sendOpt1).toHex(' '), expected.toHex(' '));
}

void tst_SendEncoding::items_data()
{
    QTest::addColumn<Encoder>("encode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<QByteArray>>("expected");

    const Encoder dec = &SendEncoding::decimal;
    const Encoder hex = &SendEncoding::hexadecimal;

    QTest::newRow("dec 65,66,67") << dec << QStringLiteral("65,66,67") << bytes("414243");
    QTest::newRow("dec trailing comma") << dec << QStringLiteral("65,66,") << bytes("414200");
    QTest::newRow("dec leading comma") << dec << QStringLiteral(",65") << bytes("0041");
    QTest::newRow("dec empty item") << dec << QStringLiteral("65,,66") << bytes("410042");
    QTest::newRow("dec blanks") << dec << QStringLiteral(" 6 5 , 66") << bytes("4142");
    QTest::newRow("dec blank joins digits") << dec << QStringLiteral("65 66") << dataError;
    QTest::newRow("dec 65.5 rounds up to even") << dec << QStringLiteral("65.5") << bytes("42");
    QTest::newRow("dec 64.5 rounds down to even") << dec << QStringLiteral("64.5") << bytes("40");
    QTest::newRow("dec 2.5 rounds to 2") << dec << QStringLiteral("2.5") << bytes("02");
    QTest::newRow("dec 2.51 rounds to 3") << dec << QStringLiteral("2.51") << bytes("03");
    QTest::newRow("dec exponent") << dec << QStringLiteral("1E2") << bytes("64");
    QTest::newRow("dec D exponent") << dec << QStringLiteral("1D2") << bytes("64");
    QTest::newRow("dec hex item") << dec << QStringLiteral("&H41") << bytes("41");
    QTest::newRow("dec octal item") << dec << QStringLiteral("&O101") << bytes("41");
    QTest::newRow("dec hex FFFF is -1") << dec << QStringLiteral("&HFFFF") << dataError;
    QTest::newRow("dec hex FF") << dec << QStringLiteral("&HFF") << bytes("FF");
    QTest::newRow("dec letters") << dec << QStringLiteral("65abc,xyz") << bytes("4100");
    QTest::newRow("dec 255") << dec << QStringLiteral("255") << bytes("FF");
    QTest::newRow("dec 254.5 rounds to 254") << dec << QStringLiteral("254.5") << bytes("FE");
    QTest::newRow("dec 255.5 rounds to 256") << dec << QStringLiteral("255.5") << dataError;
    QTest::newRow("dec 256") << dec << QStringLiteral("256") << dataError;
    QTest::newRow("dec -1") << dec << QStringLiteral("-1") << dataError;
    QTest::newRow("dec -0.5 rounds to 0") << dec << QStringLiteral("-0.5") << bytes("00");
    QTest::newRow("dec -0.6 rounds to -1") << dec << QStringLiteral("-0.6") << dataError;
    QTest::newRow("dec overflow") << dec << QStringLiteral("1E400") << dataError;
    QTest::newRow("dec error in a later item") << dec << QStringLiteral("65,256") << dataError;
    QTest::newRow("dec initial text") << dec << QStringLiteral("例如：65,66,67") << bytes("004243");
    QTest::newRow("dec full-width comma") << dec << QStringLiteral("65，66") << bytes("41");
    QTest::newRow("dec empty") << dec << QString() << bytes("00");
    QTest::newRow("dec blank") << dec << QStringLiteral(" ") << bytes("00");

    QTest::newRow("hex 41,42,43") << hex << QStringLiteral("41,42,43") << bytes("414243");
    QTest::newRow("hex ff,0A") << hex << QStringLiteral("ff,0A") << bytes("FF0A");
    QTest::newRow("hex leading zeros") << hex << QStringLiteral("0041") << bytes("41");
    QTest::newRow("hex suffix h") << hex << QStringLiteral("41h") << bytes("41");
    QTest::newRow("hex blank inside") << hex << QStringLiteral("4 1") << bytes("41");
    QTest::newRow("hex blank after comma") << hex << QStringLiteral("41, 42") << bytes("4142");
    QTest::newRow("hex blank joins digits") << hex << QStringLiteral("41 42") << dataError;
    QTest::newRow("hex 0x prefix") << hex << QStringLiteral("0x41") << bytes("00");
    QTest::newRow("hex full-width comma") << hex << QStringLiteral("41，42") << bytes("41");
    QTest::newRow("hex 100") << hex << QStringLiteral("100") << dataError;
    QTest::newRow("hex FFFF") << hex << QStringLiteral("FFFF") << dataError;
    QTest::newRow("hex 8000") << hex << QStringLiteral("8000") << dataError;
    QTest::newRow("hex stops at point") << hex << QStringLiteral("1.5") << bytes("01");
    QTest::newRow("hex sign is no digit") << hex << QStringLiteral("-1") << bytes("00");
    QTest::newRow("hex item with its own &H") << hex << QStringLiteral("&H41") << bytes("00");
    QTest::newRow("hex initial text") << hex << QStringLiteral("例如：41,42,43") << bytes("004243");
    QTest::newRow("hex single comma") << hex << QStringLiteral(",") << bytes("0000");
    QTest::newRow("hex empty") << hex << QString() << bytes("00");
    QTest::newRow("hex error in a later item") << hex << QStringLiteral("41,100,42") << dataError;

    const QString commas32766(32766, u',');
    const QString commas32767(32767, u',');
    const QString padded32766 = QStringLiteral("41") + QString(32764, u' ');
    QTest::newRow("dec 32766 commas")
        << dec << commas32766 << std::optional(QByteArray(32767, '\0'));
    QTest::newRow("dec 32767 commas") << dec << commas32767 << dataError;
    QTest::newRow("dec 32767 blanks") << dec << QString(32767, u' ') << dataError;
    QTest::newRow("hex 32766 commas")
        << hex << commas32766 << std::optional(QByteArray(32767, '\0'));
    QTest::newRow("hex 32767 commas") << hex << commas32767 << dataError;
    QTest::newRow("hex 32766 characters, one item") << hex << padded32766 << bytes("41");
    QTest::newRow("hex 32767 characters, one item")
        << hex << QString(padded32766 + u' ') << dataError;
}

void tst_SendEncoding::items()
{
    QFETCH(Encoder, encode);
    QFETCH(QString, text);
    QFETCH(std::optional<QByteArray>, expected);

    std::optional<QByteArray> actual;
    try {
        actual = encode(text);
    } catch (const RunTimeError &error) {
        QCOMPARE(error.number, ErrorNumber::DataError);
    }
    QCOMPARE(actual.has_value(), expected.has_value());
    if (expected)
        QCOMPARE(actual->toHex(' '), expected->toHex(' '));
}

QTEST_GUILESS_MAIN(tst_SendEncoding)
#include "tst_sendencoding.moc"
