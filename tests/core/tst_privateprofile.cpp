// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/privateprofile.h"

#include <QTest>

// Reading key k of a settings file's bytes, and setting it to v; files on disk are Module1's suite.
class tst_PrivateProfile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readAndWrite_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("value"); // null when not found
        QTest::addColumn<QByteArray>("after");
        const auto row = [](const char *name, QByteArray file, QByteArray value, QByteArray after,
                             QByteArray section = "Setup") {
            QTest::newRow(name) << file << section << value << after;
        };
        row("letter case", "[azAZ]\nK=4", "4", "[azAZ]\nK=v", "AZaz");
        row("blanks", "\n[ Setup ]\n \tk\v=\f 3 \r\r\n", "3", "\n[ Setup ]\n \tk\v=\f v \r\r\n");
        row("single quotes", "[Setup]\nk='x'", "x", "[Setup]\nk=v");
        row("empty quotes", "[Setup]\nk=\"\"", ""_qba, "[Setup]\nk=v");
        row("unmatched quote", "[Setup]\nk=\"x'", "\"x'", "[Setup]\nk=v");
        row("first duplicate", "[Setup]\r\nk=2\r\nk=5\r\n", "2", "[Setup]\r\nk=v\r\nk=5\r\n");
        row("comments kept", ";\n[Setup]\n;k=7\nk\nK = 8 ", "8", ";\n[Setup]\n;k=7\nk\nK = v ");
        row("empty file", {}, {}, "[Setup]\r\nk=v\r\n");
        row("other section", "k=1\n[O]\nk=3\n[Setup]\n", {}, "k=1\n[O]\nk=3\n[Setup]\nk=v\r\n");
        row("end of its section", "[Setup]\nx=1\n\n[O]\n", {}, "[Setup]\nx=1\nk=v\r\n\n[O]\n");
        row("section ends the file", "[Setup]\nx=1", {}, "[Setup]\nx=1\r\nk=v\r\n");
        row("new section, LF file", "[O]\n", {}, "[O]\n[Setup]\r\nk=v\r\n");
        row("new section, no line end", "[O]", {}, "[O]\r\n[Setup]\r\nk=v\r\n");
        // A5 5D is a Big5 character whose trail byte is ']'.
        row("Big5 section", "[\xA5]]\nk=1\n[Setup]\n", "1", "[\xA5]]\nk=v\n[Setup]\n", "\xA5]");
    }
    void readAndWrite()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, after);
        bool found = value.isNull();
        QCOMPARE(PrivateProfile::readValue(file, section, "k", &found), value);
        QCOMPARE(found, !value.isNull());
        QCOMPARE(PrivateProfile::writeValue(file, section, "k", "v"), after);
    }
};

QTEST_GUILESS_MAIN(tst_PrivateProfile)
#include "tst_privateprofile.moc"
