// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/privateprofile.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

class tst_PrivateProfile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Reading key k of a settings file's bytes, and setting it to v.
    void readAndWrite_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("value"); // null when not found
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QByteArray>("key");
        const auto row = [](const char *name, QByteArray file, QByteArray value, QByteArray after,
                             QByteArray section = "Setup", QByteArray key = "k") {
            QTest::newRow(name) << file << section << value << after << key;
        };
        row("letter case", "[azAZ]\nK=4", "4", "[azAZ]\nK=v\r\n", "AZaz");
        row("blanks", "\n[ Setup ]\n \tk\v=\f 3 \r\r\n", "3", "\n[ Setup ]\n \tk\v=\f v \r\r\n");
        row("single quotes", "[Setup]\nk='x'", "x", "[Setup]\nk=v\r\n");
        row("empty quotes", "[Setup]\nk=\"\"", ""_qba, "[Setup]\nk=v\r\n");
        row("unmatched quote", "[Setup]\nk=\"x'", "\"x'", "[Setup]\nk=v\r\n");
        row("first duplicate", "[Setup]\r\nk=2\r\nk=5\r\n", "2", "[Setup]\r\nk=v\r\nk=5\r\n");
        row("comments kept", ";\n[Setup]\n;k=7\nk\nK = 8 ", "8", ";\n[Setup]\n;k=7\nk\nK = v \r\n");
        row("other section", "k=1\n[O]\nk=3\n[Setup]\n \t", {},
            "k=1\n[O]\nk=3\n[Setup]\nk=v\r\n \t");
        row("end of its section", "[Setup]\nx=1\n\n[O", {}, "[Setup]\nx=1\nk=v\r\n\n[O");
        // Mended: a lone CR did not end a line; a new key went after the section's comments.
        row("CR and mixed line ends", "[O]\r\nk=1\r[Setup]\rx=2\nk=5\r", "5",
            "[O]\r\nk=1\r[Setup]\rx=2\nk=v\r");
        row("before closing comments", "[Setup]\r\nx=1\r\n; end\r\n\r\n[O]\r\n", {},
            "[Setup]\r\nx=1\r\nk=v\r\n; end\r\n\r\n[O]\r\n");
        row("blanks around given names", "[S]\nk=1\n", "1", "[S]\nk=v\n", " S\t", "k ");
        row("new section named without blanks", {}, {}, "[S]\r\nk=v\r\n", " S ", "\tk");
        row("section ends the file", "[Setup]\nx=1", {}, "[Setup]\nx=1\r\nk=v\r\n");
        row("new section, LF file", "[O]\n", {}, "[O]\n[Setup]\r\nk=v\r\n");
        row("new section, no line end", "[O]", {}, "[O]\r\n[Setup]\r\nk=v\r\n");
        // A5 5D is a Big5 character whose trail byte is ']'.
        row("Big5 section", "[\xA5]]\nk=1\n[Setup]\n", "1", "[\xA5]]\nk=v\n[Setup]\n", "\xA5]");
    }
    void defaultLosesTrailingBlanksOnly()
    {
        QCOMPARE(PrivateProfile::getString(u"S"_qs, u"k"_qs, u" a b \t "_qs, 12, u"/none"_qs),
            u" a b"_qs);
    }
    void readAndWrite()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, key);
        const std::optional<QByteArray> read = PrivateProfile::readValue(file, section, key);
        QCOMPARE(read.has_value(), !value.isNull());
        QCOMPARE(read.value_or(QByteArray()), value);
        QTEST(PrivateProfile::writeValue(file, section, key, "v"), "after");
    }
    // Saving replaces the file with a new one, which still belongs to the old one's owner.
    void replacementKeepsOwner()
    {
        if (::geteuid() != 0)
            QSKIP("only root can give a file to someone else");
        QTemporaryDir dir;
        const QString path = dir.filePath(u"vedira.ini"_qs);
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
        QCOMPARE(::chown(QFile::encodeName(path).constData(), 4321, 4321), 0);
        QVERIFY(PrivateProfile::writeStrings(u"Setup"_qs, {{u"k"_qs, u"v"_qs}}, path));
        QCOMPARE(QFileInfo(path).ownerId(), 4321u);
    }
};

QTEST_GUILESS_MAIN(tst_PrivateProfile)
#include "tst_privateprofile.moc"
