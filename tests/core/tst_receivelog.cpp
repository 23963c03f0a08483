// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/receivelog.h"

#include <QSignalSpy>
#include <QTest>

class tst_ReceiveLog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void bytesAndBreaksInStep()
    {
        ReceiveLog log;
        QSignalSpy appended(&log, &ReceiveLog::appended);
        QSignalSpy breaks(&log, &ReceiveLog::lineBreakAdded);
        QSignalSpy cleared(&log, &ReceiveLog::cleared);
        log.addLineBreak();
        QVERIFY(!log.isEmpty());
        log.append("AB");
        log.append(QByteArrayView()); // an empty read changes nothing
        log.addLineBreak();
        log.addLineBreak();
        // A break at p stands before byte p; several may share a place.
        QCOMPARE(log.text(ReceiveFormatter::Kind::Decimal), QLatin1String("\r\n65 66 \r\n\r\n"));
        log.append(QByteArray(40000, 'Z')); // one event beyond the old limit of 32767 bytes
        QCOMPARE(log.bytes(), "AB" + QByteArray(40000, 'Z'));
        QCOMPARE(log.lineBreaks(), (std::vector<qsizetype> {0, 2, 2}));
        QCOMPARE(appended.size(), 2);
        QCOMPARE(appended.last().at(0).value<qsizetype>(), 2);
        QCOMPARE(breaks.size(), 3);
        log.clear();
        QCOMPARE(cleared.size(), 1);
        QVERIFY(log.isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_ReceiveLog)
#include "tst_receivelog.moc"
