// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/inputlines.h"

#include <QTest>

// A poll's change of the lines (C CTS, D DSR, K CD, R ring) from before to now: events, in order.
class tst_InputLines : public QObject
{
    Q_OBJECT
    // Lines on as letters, then the edges counted since the first read, if the device counts.
    static InputLines lines(const QString &on, const QList<quint32> &edges = {})
    {
        return {on.contains(u'C'), on.contains(u'D'), on.contains(u'K'), on.contains(u'R'),
            edges.isEmpty() ? std::nullopt
                            : std::optional(std::array {edges[0], edges[1], edges[2], edges[3]})};
    }

private Q_SLOTS:
    void changeEvents_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("now");
        QTest::addColumn<QList<quint32>>("edges"); // CTS, DSR, CD, rings; none when not counted
        QTest::addColumn<QList<qint16>>("events");
        using E = InputLines;
        const auto row = [](const char *name, const char *before, const char *now,
                             const QList<quint32> &edges, const QList<qint16> &events) {
            QTest::newRow(name) << QString::fromLatin1(before) << QString::fromLatin1(now) << edges
                                << events;
        };
        row("a ring ends: no news", "R", "", {}, {});
        row("all at once, in order", "R", "CDKR", {}, {E::EvCTS, E::EvDSR, E::EvCD});
        row("all change, a ring starts", "CDK", "R", {}, {E::EvCTS, E::EvDSR, E::EvCD, E::EvRing});
        row("counted, in order", "", "DK", {0, 3, 1, 2},
            {E::EvDSR, E::EvDSR, E::EvDSR, E::EvCD, E::EvRing, E::EvRing});
        row("a change the counter missed", "", "K", {0, 0, 0, 0}, {E::EvCD});
        row("a flapping line: 1000 at most, parity kept", "", "", {0, 0, 0, 1001},
            QList<qint16>(999, E::EvRing));
    }
    void changeEvents()
    {
        QFETCH(QString, before);
        QFETCH(QString, now);
        QFETCH(QList<quint32>, edges);
        const QList<quint32> zero = edges.isEmpty() ? edges : QList<quint32>(4, 0);
        QTEST(InputLines::changeEvents(lines(before, zero), lines(now, edges)), "events");
    }
};

QTEST_GUILESS_MAIN(tst_InputLines)
#include "tst_inputlines.moc"
