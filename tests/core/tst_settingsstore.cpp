// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/module1.h"

#include <QTemporaryDir>
#include <QTest>

// Each row loads from a new program folder holding the file (none when null), then saves 2 and e.
class tst_SettingsStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { Module1::Reset(); }
    void loadThenSave_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("loaded"); // port|setting
        QTest::addColumn<QByteArray>("saved"); // null: not saved
        const auto row = [](const char *name, QByteArray file, QString got, QByteArray saved = {}) {
            QTest::newRow(name) << file << got << saved;
        };
        row("no file", {}, "1|9600,n,8,1", "[Setup]\r\ncomPort=2\r\ncomSet=e\r\n");
        row("any case, rest kept", ";\n[setup]\nCOMPORT=abc\n\n[L]\n", "abc|9600,n,8,1",
            ";\n[setup]\nCOMPORT=2\ncomSet=e\r\n\n[L]\n");
        row("read-only", "[Setup]\ncomPort=0\ncomSet=x", "1|x", "[Setup]\ncomPort=0\ncomSet=x");
        row("blank 0, empty", "[Setup]\ncomPort= 0 \ncomSet=", "1|");
        // Mended: quotes keep what the reader strips; the trim then takes ASCII blanks only.
        row("quoted", "[Setup]\ncomSet=\" \t\xA1\x40 \"", "1|\t\u3000");
        // 例 is A8 D2: a cut to 11 bytes never splits it. Mended: a lone lead byte used to vanish.
        row("Big5 at the ends", "[Setup]\ncomPort=1234567890\xA8\xD2\ncomSet=12\xA4",
            "1234567890|12\uFFFD");
    }
    void loadThenSave()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, loaded);
        QFETCH(QByteArray, saved);
        QTemporaryDir dir;
        Module1::SetProgramFolder(dir.path());
        QFile ini(dir.filePath(u"vedira.ini"_qs));
        QVERIFY(
            file.isNull() || (ini.open(QIODevice::WriteOnly) && ini.write(file) == file.size()));
        ini.close();
        if (QTest::currentDataTag() == QLatin1String("read-only"))
            QVERIFY(ini.setPermissions(QFileDevice::ReadOwner));
        Module1::LoadSettings();
        QCOMPARE(Module1::ComPortNo + u'|' + Module1::ComSetting, loaded);
        QCOMPARE(ini.exists(), !file.isNull());
        if (saved.isNull())
            return;
        Module1::ComPortNo = u"2"_qs;
        Module1::ComSetting = u"e"_qs;
        Module1::SaveSettings(); // silent when it fails
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QCOMPARE(ini.readAll(), saved);
    }
};

QTEST_GUILESS_MAIN(tst_SettingsStore)
#include "tst_settingsstore.moc"
