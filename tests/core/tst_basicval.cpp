// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/basicval.h"

#include <QTest>

#include <limits>

class tst_BasicVal : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void read_data();
    void read();
};

void tst_BasicVal::read_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    const double inf = std::numeric_limits<double>::infinity();

    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("no number") << QStringLiteral("abc") << 0.0;
    QTest::newRow("Chinese before the number") << QStringLiteral("例如：65") << 0.0;
    QTest::newRow("full-width digits are no digits") << QStringLiteral("６５") << 0.0;
    QTest::newRow("plain") << QStringLiteral("65") << 65.0;
    QTest::newRow("rest ignored") << QStringLiteral("65abc") << 65.0;
    QTest::newRow("blanks anywhere") << QStringLiteral(" 6 5 ") << 65.0;
    QTest::newRow("tab and line feed ignored") << QStringLiteral("\t6\n5") << 65.0;
    QTest::newRow("carriage return ends the number") << QStringLiteral("6\r5") << 6.0;
    QTest::newRow("blank between numbers joins them") << QStringLiteral("65 66") << 6566.0;
    QTest::newRow("minus") << QStringLiteral("-12") << -12.0;
    QTest::newRow("plus") << QStringLiteral("+12") << 12.0;
    QTest::newRow("blank after sign") << QStringLiteral("- 12") << -12.0;
    QTest::newRow("two signs") << QStringLiteral("+-1") << 0.0;
    QTest::newRow("sign alone") << QStringLiteral("-") << 0.0;
    QTest::newRow("fraction") << QStringLiteral("1.5") << 1.5;
    QTest::newRow("leading point") << QStringLiteral(".5") << 0.5;
    QTest::newRow("minus leading point") << QStringLiteral("-.5") << -0.5;
    QTest::newRow("trailing point") << QStringLiteral("1.") << 1.0;
    QTest::newRow("point alone") << QStringLiteral(".") << 0.0;
    QTest::newRow("second point ends it") << QStringLiteral("1.2.3") << 1.2;
    QTest::newRow("comma ends it") << QStringLiteral("1,5") << 1.0;
    QTest::newRow("exponent E") << QStringLiteral("1E2") << 100.0;
    QTest::newRow("exponent e") << QStringLiteral("1e2") << 100.0;
    QTest::newRow("exponent D") << QStringLiteral("1D2") << 100.0;
    QTest::newRow("exponent d") << QStringLiteral("1d2") << 100.0;
    QTest::newRow("exponent plus") << QStringLiteral("1E+2") << 100.0;
    QTest::newRow("exponent minus") << QStringLiteral("1E-2") << 0.01;
    QTest::newRow("fraction with exponent") << QStringLiteral("2.5E1") << 25.0;
    QTest::newRow("blanks in exponent") << QStringLiteral("1 E - 2") << 0.01;
    QTest::newRow("exponent without digits") << QStringLiteral("1E") << 1.0;
    QTest::newRow("exponent sign without digits") << QStringLiteral("1E+x") << 1.0;
    QTest::newRow("exponent without mantissa") << QStringLiteral("E2") << 0.0;
    QTest::newRow("overflow") << QStringLiteral("1E400") << inf;
    QTest::newRow("negative overflow") << QStringLiteral("-1E400") << -inf;
    QTest::newRow("fraction overflow") << QStringLiteral("0.5E400") << inf;
    QTest::newRow("underflow") << QStringLiteral("1E-400") << 0.0;
    QTest::newRow("hex") << QStringLiteral("&H41") << 65.0;
    QTest::newRow("hex lower case") << QStringLiteral("&hff") << 255.0;
    QTest::newRow("hex leading zeros") << QStringLiteral("&H0041") << 65.0;
    QTest::newRow("hex rest ignored") << QStringLiteral("&H41G") << 65.0;
    QTest::newRow("hex stops at point") << QStringLiteral("&H1.5") << 1.0;
    QTest::newRow("hex blanks after H") << QStringLiteral("&H 4 1") << 65.0;
    QTest::newRow("blank before ampersand") << QStringLiteral(" &HF") << 15.0;
    QTest::newRow("blank between & and H") << QStringLiteral("& HF") << 0.0;
    QTest::newRow("hex without digits") << QStringLiteral("&H") << 0.0;
    QTest::newRow("hex sign is no digit") << QStringLiteral("&H-1") << 0.0;
    QTest::newRow("hex 16-bit top") << QStringLiteral("&H7FFF") << 32767.0;
    QTest::newRow("hex 16-bit wraps") << QStringLiteral("&H8000") << -32768.0;
    QTest::newRow("hex FFFF is -1") << QStringLiteral("&HFFFF") << -1.0;
    QTest::newRow("hex five digits") << QStringLiteral("&H10000") << 65536.0;
    QTest::newRow("hex 32-bit top") << QStringLiteral("&H7FFFFFFF") << 2147483647.0;
    QTest::newRow("hex 32-bit wraps") << QStringLiteral("&H80000000") << -2147483648.0;
    QTest::newRow("hex FFFFFFFF is -1") << QStringLiteral("&HFFFFFFFF") << -1.0;
    QTest::newRow("octal") << QStringLiteral("&O17") << 15.0;
    QTest::newRow("octal lower case") << QStringLiteral("&o17") << 15.0;
    QTest::newRow("octal stops at 8") << QStringLiteral("&O178") << 15.0;
    QTest::newRow("octal without digits") << QStringLiteral("&O8") << 0.0;
    QTest::newRow("octal 16-bit wraps") << QStringLiteral("&O100000") << -32768.0;
    QTest::newRow("octal 177777 is -1") << QStringLiteral("&O177777") << -1.0;
    QTest::newRow("blank between & and O") << QStringLiteral("& O17") << 0.0;
    QTest::newRow("ampersand alone") << QStringLiteral("&") << 0.0;
}

void tst_BasicVal::read()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(BasicVal::read(text), expected);
}

QTEST_GUILESS_MAIN(tst_BasicVal)
#include "tst_basicval.moc"
