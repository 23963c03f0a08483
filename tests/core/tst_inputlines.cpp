// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/inputlines.h"

#include <QTest>

// Lines are written "CTS DSR CD RI", so a row reads like a line monitor.
class tst_InputLines : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void changeEvents_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("now");
        QTest::addColumn<QList<qint16>>("events");
        const auto row = [](QString before, QString now, QList<qint16> events) {
            QTest::addRow("%s to %s", qPrintable(before), qPrintable(now))
                << before << now << events;
        };
        using L = InputLines;
        row("1010", "1010", {});
        row("0000", "1000", {L::EvCTS});
        row("1110", "0110", {L::EvCTS});
        row("0000", "0100", {L::EvDSR});
        row("0110", "0010", {L::EvDSR});
        row("0010", "0000", {L::EvCD});
        row("0000", "0011", {L::EvCD, L::EvRing});
        row("0001", "0000", {}); // the end of a ring is no news
        row("0000", "1111", {L::EvCTS, L::EvDSR, L::EvCD, L::EvRing});
    }
    void changeEvents()
    {
        QFETCH(QString, before);
        QFETCH(QString, now);
        const auto lines = [](const QString &s) {
            return InputLines {s[0] == u'1', s[1] == u'1', s[2] == u'1', s[3] == u'1'};
        };
        QTEST(InputLines::changeEvents(lines(before), lines(now)), "events");
    }
};

QTEST_GUILESS_MAIN(tst_InputLines)
#include "tst_inputlines.moc"
