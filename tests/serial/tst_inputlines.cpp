// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/inputlines.h"

#include <QTest>

// The events one poll's change of the input lines raises, read like a line monitor: the lines on
// before and now (C CTS, D DSR, K CD, R ring), the events in the order they are told.
class tst_InputLines : public QObject
{
    Q_OBJECT
    static InputLines lines(const QString &on)
    {
        return {on.contains(u'C'), on.contains(u'D'), on.contains(u'K'), on.contains(u'R')};
    }

private Q_SLOTS:
    void changeEvents_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("now");
        QTest::addColumn<QList<qint16>>("events");
        using E = InputLines;
        QTest::newRow("nothing changes") << "CDK"
                                         << "CDK" << QList<qint16> {};
        QTest::newRow("CTS on") << ""
                                << "C" << QList<qint16> {E::EvCTS};
        QTest::newRow("CTS off") << "C"
                                 << "" << QList<qint16> {E::EvCTS};
        QTest::newRow("DSR off") << "DK"
                                 << "K" << QList<qint16> {E::EvDSR};
        QTest::newRow("CD on") << "C"
                               << "CK" << QList<qint16> {E::EvCD};
        QTest::newRow("a ring starts") << ""
                                       << "R" << QList<qint16> {E::EvRing};
        QTest::newRow("a ring ends: no news") << "R"
                                              << "" << QList<qint16> {};
        QTest::newRow("all at once, in order")
            << "R"
            << "CDKR" << QList<qint16> {E::EvCTS, E::EvDSR, E::EvCD};
        QTest::newRow("all change, a ring starts")
            << "CDK"
            << "R" << QList<qint16> {E::EvCTS, E::EvDSR, E::EvCD, E::EvRing};
    }
    void changeEvents()
    {
        QFETCH(QString, before);
        QFETCH(QString, now);
        QTEST(InputLines::changeEvents(lines(before), lines(now)), "events");
    }
};

QTEST_GUILESS_MAIN(tst_InputLines)
#include "tst_inputlines.moc"
