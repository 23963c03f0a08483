// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/programfolders.h"
#include "serial/portnumber.h"
#include "settings/module1.h"
#include "tests/support/lockfolder.h"
#include "tests/support/sharedstate.h"

#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

class tst_ProgramFolders : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { resetSharedState(); }
    // An unwritable or /usr program folder saves in vedira/ of XDG or ~/.config; no HOME: nowhere.
    void settingsFolder_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("xdg"); // "" unset, "abs" a folder of its own, else as given
        QTest::addColumn<QString>("saved"); // program, xdg or home, or "" for nowhere: no HOME
        QTest::newRow("writable") << QString() << u"abs"_qs << u"program"_qs;
        QTest::newRow("locked") << u"locked"_qs << u"abs"_qs << u"xdg"_qs;
        QTest::newRow("installed") << u"/usr/bin"_qs << u"abs"_qs << u"xdg"_qs;
        QTest::newRow("installed, relative XDG_CONFIG_HOME")
            << u"/usr/bin"_qs << u"config"_qs << u"home"_qs;
        QTest::newRow("installed, no HOME") << u"/usr/bin"_qs << QString() << QString();
    }
    void settingsFolder()
    {
        QFETCH(QString, program);
        QFETCH(QString, xdg);
        QFETCH(QString, saved);
        QTemporaryDir dir, config, homeDir, cwd;
        const bool locked = program == u"locked"_qs;
        const QByteArray oldHome = qgetenv("HOME");
        const QString oldCwd = QDir::currentPath();
        QDir::setCurrent(cwd.path());
        if (!xdg.isEmpty())
            qputenv("XDG_CONFIG_HOME", QFile::encodeName(xdg == u"abs" ? config.path() : xdg));
        saved.isEmpty() ? qunsetenv("HOME") : qputenv("HOME", QFile::encodeName(homeDir.path()));
        const QString beside = program.startsWith(u'/') ? program + u"/vedira.ini"_qs : QString();
        QVERIFY(!QFile::exists(beside));
        const auto restore = qScopeGuard([&] {
            qunsetenv("XDG_CONFIG_HOME");
            qputenv("HOME", oldHome);
            QDir::setCurrent(oldCwd);
            if (locked)
                lockFolder(dir.path(), false);
            QFile::remove(beside); // never made beside an installed copy, unless by a fault
        });
        ProgramFolders::setProgram(program.startsWith(u'/') ? program : dir.path());
        if (locked && !lockFolder(dir.path(), true))
            QSKIP("this file system cannot lock a folder");
        Module1::LoadSettings();
        QVERIFY(QDir(config.path()).isEmpty() && QDir(dir.path()).isEmpty());
        Module1::ComPortNo = u"2"_qs;
        Module1::ComSetting = u"e"_qs;
        QCOMPARE(Module1::SaveSettings(), !saved.isEmpty());
        const QString folder = saved == u"program" ? dir.path()
            : saved == u"xdg"                      ? config.filePath(u"vedira"_qs)
            : saved == u"home"                     ? homeDir.filePath(u".config/vedira"_qs)
                                                   : QString();
        // Nothing relative to the current folder, ever.
        QCOMPARE(QDir(cwd.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), {});
        if (folder.isEmpty()) {
            QCOMPARE(PortNumber::devicePath(3, ProgramFolders::ports()), u"/dev/ttyS2"_qs);
            return;
        }
        QFile ini(folder + u"/vedira.ini"_qs);
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QCOMPARE(ini.readAll(), "[Setup]\r\ncomPort=2\r\ncomSet=e\r\n");
        QVERIFY(QDir(folder).mkdir(u"ports"_qs)
            && QFile::link(u"/dev/null"_qs, folder + u"/ports/com3"_qs));
        QCOMPARE(PortNumber::devicePath(3, ProgramFolders::ports()), u"/dev/null"_qs);
    }
};

QTEST_GUILESS_MAIN(tst_ProgramFolders)
#include "tst_programfolders.moc"
