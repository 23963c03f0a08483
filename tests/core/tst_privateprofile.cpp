// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/module1.h"
#include "settings/privateprofile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class tst_PrivateProfile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void read_data();
    void read();
    void write_data();
    void write();
    void getStringCutsToBuffer_data();
    void getStringCutsToBuffer();
    void writeStringCreatesFile();
    void writeStringRefusesReadOnlyFile();
};

void tst_PrivateProfile::read_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QByteArray>("value");

    QTest::newRow("plain") << QByteArray("[Setup]\r\ncomPort=3\r\n") << QByteArray("comPort")
                           << true << QByteArray("3");
    QTest::newRow("letter case of section and key")
        << QByteArray("[SETUP]\r\nCOMPORT=4\r\n") << QByteArray("comPort") << true
        << QByteArray("4");
    QTest::newRow("blanks around key and value")
        << QByteArray("[ Setup ]\r\n  comPort \t=  3  \r\n") << QByteArray("comPort") << true
        << QByteArray("3");
    QTest::newRow("double quotes dropped")
        << QByteArray("[Setup]\r\ncomSet=\"9600,n,8,1\"\r\n") << QByteArray("comSet") << true
        << QByteArray("9600,n,8,1");
    QTest::newRow("single quotes dropped")
        << QByteArray("[Setup]\ncomSet='x'\n") << QByteArray("comSet") << true << QByteArray("x");
    QTest::newRow("unmatched quote kept") << QByteArray("[Setup]\ncomSet=\"x'\n")
                                          << QByteArray("comSet") << true << QByteArray("\"x'");
    QTest::newRow("first duplicate wins") << QByteArray("[Setup]\r\ncomPort=2\r\ncomPort=5\r\n")
                                          << QByteArray("comPort") << true << QByteArray("2");
    QTest::newRow("empty value is found")
        << QByteArray("[Setup]\r\ncomPort=\r\n") << QByteArray("comPort") << true << QByteArray();
    QTest::newRow("comment skipped") << QByteArray("[Setup]\r\n;comPort=7\r\ncomPort=8\r\n")
                                     << QByteArray("comPort") << true << QByteArray("8");
    QTest::newRow("line without equals skipped")
        << QByteArray("[Setup]\r\ncomPort\r\ncomPort=9\r\n") << QByteArray("comPort") << true
        << QByteArray("9");
    QTest::newRow("key in another section") << QByteArray("[Other]\r\ncomPort=3\r\n[Setup]\r\n")
                                            << QByteArray("comPort") << false << QByteArray();
    QTest::newRow("no section") << QByteArray("comPort=3\r\n") << QByteArray("comPort") << false
                                << QByteArray();
    QTest::newRow("last line without line end")
        << QByteArray("[Setup]\r\ncomPort=6") << QByteArray("comPort") << true << QByteArray("6");
    // 0xA5 0x5D is a Big5 character whose trail byte is ']'.
    QTest::newRow("Big5 trail byte in section name")
        << QByteArray("[\xA5]x]\r\ncomPort=1\r\n[Setup]\r\ncomPort=2\r\n") << QByteArray("comPort")
        << true << QByteArray("2");
}

void tst_PrivateProfile::read()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, key);
    QFETCH(bool, found);
    QFETCH(QByteArray, value);
    bool wasFound = !found;
    QCOMPARE(PrivateProfile::readValue(file, "Setup", key, &wasFound), value);
    QCOMPARE(wasFound, found);
}

void tst_PrivateProfile::write_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("empty file") << QByteArray() << QByteArray("comPort") << QByteArray("2")
                                << QByteArray("[Setup]\r\ncomPort=2\r\n");
    QTest::newRow("replace value only")
        << QByteArray("; mine\r\n[Setup]\r\ncomPort = 1 \r\ncomSet=9600,n,8,1\r\n")
        << QByteArray("comPort") << QByteArray("2")
        << QByteArray("; mine\r\n[Setup]\r\ncomPort = 2 \r\ncomSet=9600,n,8,1\r\n");
    QTest::newRow("first duplicate replaced")
        << QByteArray("[Setup]\ncomPort=1\ncomPort=5\n") << QByteArray("COMPORT") << QByteArray("2")
        << QByteArray("[Setup]\ncomPort=2\ncomPort=5\n");
    QTest::newRow("quoted value replaced whole")
        << QByteArray("[Setup]\r\ncomSet=\"4800,n,8,1\"\r\n") << QByteArray("comSet")
        << QByteArray("19200,e,7,2") << QByteArray("[Setup]\r\ncomSet=19200,e,7,2\r\n");
    QTest::newRow("missing key appended at end of its section")
        << QByteArray("[Setup]\r\ncomPort=1\r\n\r\n[Other]\r\nx=1\r\n") << QByteArray("comSet")
        << QByteArray("9600,n,8,1")
        << QByteArray("[Setup]\r\ncomPort=1\r\ncomSet=9600,n,8,1\r\n\r\n[Other]\r\nx=1\r\n");
    QTest::newRow("missing key, section at end without line end")
        << QByteArray("[Setup]\ncomPort=1") << QByteArray("comSet") << QByteArray("x")
        << QByteArray("[Setup]\ncomPort=1\r\ncomSet=x\r\n");
    QTest::newRow("missing section appended, LF file kept")
        << QByteArray("[Other]\nx=1\n") << QByteArray("comPort") << QByteArray("3")
        << QByteArray("[Other]\nx=1\n[Setup]\r\ncomPort=3\r\n");
    QTest::newRow("missing section after file without line end")
        << QByteArray("[Other]\r\nx=1") << QByteArray("comPort") << QByteArray("3")
        << QByteArray("[Other]\r\nx=1\r\n[Setup]\r\ncomPort=3\r\n");
    QTest::newRow("empty value filled")
        << QByteArray("[Setup]\r\ncomPort=\r\n") << QByteArray("comPort") << QByteArray("4")
        << QByteArray("[Setup]\r\ncomPort=4\r\n");
}

void tst_PrivateProfile::write()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, after);
    const QByteArray written = PrivateProfile::writeValue(before, "Setup", key, value);
    QCOMPARE(written, after);
    QCOMPARE(PrivateProfile::readValue(written, "Setup", key), value);
}

void tst_PrivateProfile::getStringCutsToBuffer_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<QString>("expected");
    QTest::newRow("fits 13") << QByteArray("115200,o,7,2") << 14 << QStringLiteral("115200,o,7,2");
    QTest::newRow("cut to 13") << QByteArray("1152000,o,7,2,9") << 14
                               << QStringLiteral("1152000,o,7,2");
    QTest::newRow("cut to 11") << QByteArray("123456789012345") << 12
                               << QStringLiteral("12345678901");
    // 例 is A8 D2 in Big5; the cut never splits it.
    QTest::newRow("no half character")
        << QByteArray("1234567890\xA8\xD2") << 12 << QStringLiteral("1234567890");
    // Mended: a lead byte with no trail byte at the end of the value used to vanish.
    QTest::newRow("lone lead byte at the end")
        << QByteArray("12\xA4") << 14 << QStringLiteral("12\uFFFD");
}

void tst_PrivateProfile::getStringCutsToBuffer()
{
    QFETCH(QByteArray, value);
    QFETCH(int, capacity);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.ini"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[Setup]\r\nk=" + value + "\r\n");
    f.close();
    QCOMPARE(PrivateProfile::getString(
                 QStringLiteral("Setup"), QStringLiteral("k"), QStringLiteral("0"), capacity, path),
        expected);
}

void tst_PrivateProfile::writeStringCreatesFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("new.ini"));
    QVERIFY(PrivateProfile::writeString(
        QStringLiteral("Setup"), QStringLiteral("comPort"), QStringLiteral("2"), path));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("[Setup]\r\ncomPort=2\r\n"));
    // No temporary copy is left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList {QStringLiteral("new.ini")});
}

void tst_PrivateProfile::writeStringRefusesReadOnlyFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ro.ini"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[Setup]\r\ncomPort=1\r\n");
    f.close();
    QVERIFY(f.setPermissions(QFileDevice::ReadOwner));
    QVERIFY(!PrivateProfile::writeString(
        QStringLiteral("Setup"), QStringLiteral("comPort"), QStringLiteral("2"), path));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("[Setup]\r\ncomPort=1\r\n"));
}

QTEST_GUILESS_MAIN(tst_PrivateProfile)
#include "tst_privateprofile.moc"
