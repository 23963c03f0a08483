// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/portnumber.h"

#include "settings/module1.h"
#include "settings/runtimeerror.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

class tst_PortNumber : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void fromText_data();
    void fromText();
    void fromTextRefused_data();
    void fromTextRefused();
    void devicePath_data();
    void devicePath();
    void numberBelowOne_data();
    void numberBelowOne();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_PortNumber::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    Module1::SetProgramFolder(m_dir->path());
}

void tst_PortNumber::cleanup()
{
    Module1::Reset();
    Module1::SetProgramFolder({});
    m_dir.reset();
}

void tst_PortNumber::fromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");

    QTest::newRow("1") << "1" << 1;
    QTest::newRow("10") << "10" << 10;
    QTest::newRow("blanks") << "  3  " << 3;
    QTest::newRow("tab") << "\t4" << 4;
    QTest::newRow("leading zeros") << "007" << 7;
    QTest::newRow("plus") << "+2" << 2;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("negative") << "-5" << -5;
    QTest::newRow("0.5 to even") << "0.5" << 0;
    QTest::newRow("1.5 to even") << "1.5" << 2;
    QTest::newRow("2.5 to even") << "2.5" << 2;
    QTest::newRow("3.5 to even") << "3.5" << 4;
    QTest::newRow("-2.5 to even") << "-2.5" << -2;
    QTest::newRow("2.51 up") << "2.51" << 3;
    QTest::newRow("2.49 down") << "2.49" << 2;
    QTest::newRow("bare fraction") << ".6" << 1;
    QTest::newRow("trailing point") << "3." << 3;
    QTest::newRow("exponent") << "1e1" << 10;
    QTest::newRow("exponent upper") << "2E2" << 200;
    QTest::newRow("hex") << "&H10" << 16;
    QTest::newRow("hex lower") << "&ha" << 10;
    QTest::newRow("hex 7FFF") << "&H7FFF" << 32767;
    QTest::newRow("hex FFFF is -1") << "&HFFFF" << -1;
    QTest::newRow("octal") << "&O17" << 15;
    QTest::newRow("octal without O") << "&17" << 15;
    QTest::newRow("largest") << "32767" << 32767;
    QTest::newRow("smallest") << "-32768" << -32768;
    QTest::newRow("largest by rounding") << "32767.4" << 32767;
    QTest::newRow("smallest by rounding") << "-32768.5" << -32768;
}

void tst_PortNumber::fromText()
{
    QFETCH(QString, text);
    QFETCH(int, number);
    QCOMPARE(int(PortNumber::fromText(text)), number);
}

void tst_PortNumber::fromTextRefused_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("error");

    QTest::newRow("empty") << "" << ErrorNumber::TypeMismatch;
    QTest::newRow("blanks only") << "   " << ErrorNumber::TypeMismatch;
    QTest::newRow("letters") << "abc" << ErrorNumber::TypeMismatch;
    QTest::newRow("COM1") << "COM1" << ErrorNumber::TypeMismatch;
    QTest::newRow("trailing letter") << "1a" << ErrorNumber::TypeMismatch;
    QTest::newRow("inner blank") << "1 2" << ErrorNumber::TypeMismatch;
    QTest::newRow("two points") << "1.2.3" << ErrorNumber::TypeMismatch;
    QTest::newRow("sign only") << "-" << ErrorNumber::TypeMismatch;
    QTest::newRow("bad hex") << "&HG" << ErrorNumber::TypeMismatch;
    QTest::newRow("full-width digit") << "１" << ErrorNumber::TypeMismatch;
    QTest::newRow("32768") << "32768" << ErrorNumber::Overflow;
    QTest::newRow("-32769") << "-32769" << ErrorNumber::Overflow;
    QTest::newRow("rounds over") << "32767.5" << ErrorNumber::Overflow;
    QTest::newRow("rounds under") << "-32768.51" << ErrorNumber::Overflow;
    QTest::newRow("huge") << "99999999999999999999999" << ErrorNumber::Overflow;
    QTest::newRow("huge exponent") << "1e999" << ErrorNumber::Overflow;
    QTest::newRow("hex beyond 16 bits") << "&H10000" << ErrorNumber::Overflow;
}

void tst_PortNumber::fromTextRefused()
{
    QFETCH(QString, text);
    QFETCH(int, error);
    try {
        PortNumber::fromText(text);
        QFAIL("converted");
    } catch (const RunTimeError &e) {
        QCOMPARE(e.number, error);
    }
}

void tst_PortNumber::devicePath_data()
{
    QTest::addColumn<QString>("entry"); // what ports/ holds: "" nothing, "link", "chain", "node"
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("expected"); // "DEVICE" for the device the entry leads to

    QTest::newRow("no ports folder, COM1") << "" << 1 << "/dev/ttyS0";
    QTest::newRow("no ports folder, COM10") << "" << 10 << "/dev/ttyS9";
    QTest::newRow("no ports folder, COM300") << "" << 300 << "/dev/ttyS299";
    QTest::newRow("link") << "link" << 3 << "DEVICE";
    QTest::newRow("link to a link") << "chain" << 3 << "DEVICE";
    QTest::newRow("device node") << "node" << 3 << "PORTS/com3";
    QTest::newRow("other number ignores it") << "link" << 4 << "/dev/ttyS3";
    QTest::newRow("dangling link") << "dangling" << 3 << "PORTS/com3";
}

void tst_PortNumber::devicePath()
{
    QFETCH(QString, entry);
    QFETCH(int, number);
    QFETCH(QString, expected);

    const QDir folder(m_dir->path());
    const QString ports = folder.filePath(QStringLiteral("ports"));
    const QString device = folder.filePath(QStringLiteral("device"));
    if (!entry.isEmpty()) {
        QVERIFY(folder.mkpath(QStringLiteral("ports")));
        QFile f(device);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    const QString com3 = ports + QStringLiteral("/com3");
    if (entry == u"link") {
        QVERIFY(QFile::link(device, com3));
    } else if (entry == u"chain") {
        QVERIFY(QFile::link(device, ports + QStringLiteral("/usb")));
        QVERIFY(QFile::link(ports + QStringLiteral("/usb"), com3));
    } else if (entry == u"node") {
        // A character device node made with mknod stands in for the device itself.
        QCOMPARE(::mknod(qPrintable(com3), S_IFCHR | 0600, makedev(1, 3)), 0);
    } else if (entry == u"dangling") {
        QVERIFY(QFile::link(folder.filePath(QStringLiteral("gone")), com3));
    }

    QString want = expected;
    if (want == u"DEVICE")
        want = QFileInfo(device).canonicalFilePath();
    want.replace(QStringLiteral("PORTS"), QFileInfo(ports).canonicalFilePath());
    QCOMPARE(PortNumber::devicePath(qint16(number)), want);
}

void tst_PortNumber::numberBelowOne_data()
{
    QTest::addColumn<int>("number");
    QTest::newRow("0") << 0;
    QTest::newRow("-1") << -1;
    QTest::newRow("-32768") << -32768;
}

void tst_PortNumber::numberBelowOne()
{
    QFETCH(int, number);
    try {
        PortNumber::devicePath(qint16(number));
        QFAIL("gave a device");
    } catch (const RunTimeError &e) {
        QCOMPARE(e.number, ErrorNumber::InvalidPortNumber);
    }
}

QTEST_GUILESS_MAIN(tst_PortNumber)
#include "tst_portnumber.moc"
