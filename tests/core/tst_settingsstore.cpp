// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/module1.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_SettingsStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void noFileGivesDefaultsAndCreatesNothing();
    void load_data();
    void load();
    void saveWritesBothKeysAndKeepsTheRest();
    void saveIntoUnwritableFolderIsSilent();
    void saveOntoReadOnlyFileIsSilent();

private:
    void writeIni(const QByteArray &bytes);
    QByteArray readIni() const;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_SettingsStore::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    Module1::SetProgramFolder(m_dir->path());
}

void tst_SettingsStore::cleanup()
{
    Module1::Reset();
    Module1::SetProgramFolder({});
    m_dir.reset();
}

void tst_SettingsStore::writeIni(const QByteArray &bytes)
{
    QFile f(m_dir->filePath(QStringLiteral("vedira.ini")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray tst_SettingsStore::readIni() const
{
    QFile f(m_dir->filePath(QStringLiteral("vedira.ini")));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void tst_SettingsStore::noFileGivesDefaultsAndCreatesNothing()
{
    Module1::LoadSettings();
    QCOMPARE(Module1::ComPortNo, QStringLiteral("1"));
    QCOMPARE(Module1::ComSetting, QStringLiteral("9600,n,8,1"));
    QCOMPARE(Module1::IniFile, m_dir->filePath(QStringLiteral("vedira.ini")));
    QVERIFY(QDir(m_dir->path()).isEmpty());
}

void tst_SettingsStore::load_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("setting");
    QTest::newRow("stored values")
        << QByteArray("[Setup]\r\ncomPort=2\r\ncomSet=19200,e,7,2\r\n") << "2"
        << "19200,e,7,2";
    QTest::newRow("zero means default") << QByteArray("[Setup]\r\ncomPort=0\r\ncomSet=0\r\n") << "1"
                                        << "9600,n,8,1";
    QTest::newRow("blanks around zero") << QByteArray("[Setup]\r\ncomPort=  0  \r\n") << "1"
                                        << "9600,n,8,1";
    QTest::newRow("empty value stays empty")
        << QByteArray("[Setup]\r\ncomPort=\r\ncomSet=\r\n") << ""
        << "";
    QTest::newRow("blanks trimmed") << QByteArray("[Setup]\r\ncomPort=  3  \r\n") << "3"
                                    << "9600,n,8,1";
    // Quotes keep what the reader would strip; the trim then takes ASCII blanks only.
    QTest::newRow("quoted blanks trimmed, tab and full-width blank kept") << QByteArray(
        "[Setup]\r\ncomPort=\" \t3 \"\r\ncomSet=\"\xA1\x40"
        "9600,n,8,1\"\r\n") << "\t3" << QString::fromUtf8("\u30009600,n,8,1");
    QTest::newRow("longest setting read whole")
        << QByteArray("[Setup]\r\ncomSet=115200,o,7,2\r\n") << "1"
        << "115200,o,7,2";
    QTest::newRow("over-long values cut")
        << QByteArray("[Setup]\r\ncomPort=123456789012345\r\ncomSet=115200,o,7,2,extra\r\n")
        << "12345678901"
        << "115200,o,7,2,";
    QTest::newRow("not validated") << QByteArray("[setup]\r\nCOMPORT=abc\r\ncomset=x\r\n") << "abc"
                                   << "x";
    QTest::newRow("other section ignored") << QByteArray("[Other]\r\ncomPort=5\r\n") << "1"
                                           << "9600,n,8,1";
}

void tst_SettingsStore::load()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, port);
    QFETCH(QString, setting);
    writeIni(file);
    Module1::LoadSettings();
    QCOMPARE(Module1::ComPortNo, port);
    QCOMPARE(Module1::ComSetting, setting);
    QCOMPARE(readIni(), file);
}

void tst_SettingsStore::saveWritesBothKeysAndKeepsTheRest()
{
    const QByteArray before = "; written by hand\r\n[Other]\r\nkeep=me\r\n\r\n"
                              "[Setup]\r\nunknown=1\r\ncomPort=1\r\n\r\n[Last]\r\nz=9\r\n";
    writeIni(before);
    Module1::LoadSettings();
    Module1::ComPortNo = QStringLiteral("2");
    Module1::ComSetting = QStringLiteral("19200,e,7,2");
    Module1::SaveSettings();
    QCOMPARE(readIni(),
        QByteArray("; written by hand\r\n[Other]\r\nkeep=me\r\n\r\n"
                   "[Setup]\r\nunknown=1\r\ncomPort=2\r\ncomSet=19200,e,7,2\r\n"
                   "\r\n[Last]\r\nz=9\r\n"));
    Module1::ComPortNo.clear();
    Module1::LoadSettings();
    QCOMPARE(Module1::ComPortNo, QStringLiteral("2"));
    QCOMPARE(Module1::ComSetting, QStringLiteral("19200,e,7,2"));
}

void tst_SettingsStore::saveIntoUnwritableFolderIsSilent()
{
    // A folder that cannot hold the file (it does not exist), as a read-only folder would be.
    Module1::SetProgramFolder(m_dir->filePath(QStringLiteral("missing/folder")));
    Module1::LoadSettings();
    Module1::ComPortNo = QStringLiteral("4");
    Module1::SaveSettings();
    QCOMPARE(Module1::ComPortNo, QStringLiteral("4"));
    QVERIFY(!QFile::exists(Module1::IniFile));
}

void tst_SettingsStore::saveOntoReadOnlyFileIsSilent()
{
    writeIni("[Setup]\r\ncomPort=1\r\n");
    QFile::setPermissions(m_dir->filePath(QStringLiteral("vedira.ini")), QFileDevice::ReadOwner);
    Module1::LoadSettings();
    Module1::ComPortNo = QStringLiteral("5");
    Module1::SaveSettings();
    QCOMPARE(Module1::ComPortNo, QStringLiteral("5"));
    QCOMPARE(readIni(), QByteArray("[Setup]\r\ncomPort=1\r\n"));
}

QTEST_GUILESS_MAIN(tst_SettingsStore)
#include "tst_settingsstore.moc"
