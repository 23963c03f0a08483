// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/portnumber.h"

#include "core/runtimeerror.h"

#include <QTest>

// Results as text; "error N" for RunTimeError N (6 overflow, 13 type mismatch).
template<class F> QString outcome(F f)
{
    try {
        return QVariant(f()).toString();
    } catch (const RunTimeError &e) {
        return u"error %1"_qs.arg(e.number);
    }
}

class tst_PortNumber : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fromText_data()
    {
        QTest::addColumn<QString>("texts"); // separated by |
        QTest::addColumn<QString>("expected");
        QTest::newRow("2") << u" \t2 |+002|1.5|2.5|.2E1|&O2"_qs << "2";
        QTest::newRow("15") << u"&hF|&O17|&17|15.|14.51|1.5e1"_qs << "15";
        QTest::newRow("-1") << u"&HFFFF|&HFFFFFFFF|-1.4"_qs << "-1";
        QTest::newRow("largest") << u"32767.4|&H7FFF"_qs << "32767";
        QTest::newRow("smallest") << u"-32768.5|&H8000"_qs << "-32768";
        QTest::newRow("no number") << u"|COM1|1a|1 2|1.2.3|&HG"_qs << "error 13";
        QTest::newRow("overflow") << u"32767.5|-32769|&H10000|&H100000000"_qs << "error 6";
    }
    void fromText()
    {
        QFETCH(QString, texts);
        QFETCH(QString, expected);
        for (const QString &text : texts.split(u'|'))
            QCOMPARE(outcome([&] { return PortNumber::fromText(text); }), expected);
    }
};

QTEST_GUILESS_MAIN(tst_PortNumber)
#include "tst_portnumber.moc"
