// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/programfolders.h"
#include "serial/portnumber.h"
#include "settings/module1.h"
#include "settings/privateprofile.h"
#include "tests/support/sharedstate.h"
#include "tests/support/testgroup.h"

#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

// A folder no file can be made in, its files writable: immutable for root, read-only for others.
static bool lockFolder(const QString &path, bool locked)
{
    if (geteuid() != 0)
        return ::chmod(QFile::encodeName(path).constData(), locked ? 0500 : 0700) == 0;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY);
    int flags = locked ? FS_IMMUTABLE_FL : 0;
    const bool ok = fd >= 0 && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return ok;
}

// Each row loads from a new program folder holding the file (none when null), then saves 2 and e.
class tst_SettingsStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { resetSharedState(); }
    void loadThenSave_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("loaded"); // port|setting
        QTest::addColumn<QByteArray>("saved"); // null: not saved
        const auto row = [](const char *name, QByteArray file, QString got, QByteArray saved = {}) {
            QTest::newRow(name) << file << got << saved;
        };
        row("no file", {}, "1|9600,n,8,1", "[Setup]\r\ncomPort=2\r\ncomSet=e\r\n");
        row("read-only", "[Setup]\ncomPort=0\ncomSet=x", "1|x", "[Setup]\ncomPort=0\ncomSet=x");
        // Mended: a short copy replaced the file, and the port key was written before the failure.
        row("disk full", "[Setup]\r\ncomPort=1\r\n[O]\r\nk=1\r\n", "1|9600,n,8,1",
            "[Setup]\r\ncomPort=1\r\n[O]\r\nk=1\r\n");
        // Mended: with no temporary file beside it, the save was lost. In place, no old tail stays.
        row("folder locked", "[Setup]\ncomPort=1\ncomSet=9600,n,8,1", "1|9600,n,8,1",
            "[Setup]\ncomPort=2\ncomSet=e\r\n");
        // Rewritten in place, a write that fails part way leaves the old bytes and length.
        row("folder locked, disk full", "[Setup]\ncomPort=1", "1|9600,n,8,1", "[Setup]\ncomPort=1");
        // Mended: a FIFO hung the start, /dev/zero linked ate memory; none, nor a folder, is used.
        for (const char *special : {"FIFO", "link to /dev/zero", "folder"})
            row(special, {}, "1|9600,n,8,1", "special");
        // Mended: the file was read whole at the start (100 MB of line ends took 3.3 GB).
        const QByteArray large = QByteArray("[Setup]\ncomPort=5\n").leftJustified(1 << 20, '\n');
        row("a megabyte, neither read nor saved", large, "1|9600,n,8,1", large);
        row("blank 0, blanks only", "[Setup]\ncomPort= 0 \ncomSet= ", "1|");
        // Mended: quotes keep what the reader strips; the trim then takes ASCII blanks only.
        row("quoted", "[Setup]\ncomSet=\" \t\xA1\x40 \"", "1|\t\u3000");
        // 例 is A8 D2: a cut to 11 bytes never splits it. Mended: a lone lead byte used to vanish.
        row("eleven bytes kept", "[Setup]\ncomPort=123456789012", "12345678901|9600,n,8,1");
        row("Big5 at the ends", "[Setup]\ncomPort=1234567890\xA8\xD2\ncomSet=123456789012\xA4",
            "1234567890|123456789012\uFFFD");
    }
    void loadThenSave()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, saved);
        const QByteArray tag = QTest::currentDataTag();
        QTemporaryDir dir;
        ProgramFolders::setProgram(dir.path());
        QFile ini(dir.filePath(u"vedira.ini"_qs));
        const QByteArray path = QFile::encodeName(ini.fileName());
        if (saved == "special") {
            QVERIFY(tag == "FIFO"     ? ::mkfifo(path.constData(), 0600) == 0
                    : tag == "folder" ? ::mkdir(path.constData(), 0700) == 0
                                      : ::symlink("/dev/zero", path.constData()) == 0);
        }
        QVERIFY(
            file.isNull() || (ini.open(QIODevice::WriteOnly) && ini.write(file) == file.size()));
        ini.close();
        QVERIFY(file.isNull()
            || ini.setPermissions(tag == "read-only"
                    ? QFileDevice::ReadOwner
                    : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
        const QFileDevice::Permissions mode = ini.permissions();
        Module1::LoadSettings();
        QTEST(Module1::ComPortNo + u'|' + Module1::ComSetting, "loaded");
        QCOMPARE(ini.exists(), !file.isNull() || saved == "special");
        if (saved.isNull())
            return;
        Module1::ComPortNo = u"2"_qs;
        Module1::ComSetting = u"e"_qs;
        if (saved == "special") {
            QVERIFY(!Module1::SaveSettings());
            QVERIFY(!QFileInfo(ini).isFile());
            QCOMPARE(QFileInfo(ini).isSymLink(), tag == "link to /dev/zero");
            return;
        }
        rlimit limit {};
        getrlimit(RLIMIT_FSIZE, &limit);
        if (tag.endsWith("disk full")) {
            // Writes past the limit fail with EFBIG, as on a full disk.
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit small = limit;
            small.rlim_cur = rlim_t(file.size() + (tag == "disk full" ? 0 : 3));
            QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        }
        const bool locked = tag.startsWith("folder locked");
        if (locked && !lockFolder(dir.path(), true))
            QSKIP("this file system cannot lock a folder");
        const bool stored = Module1::SaveSettings();
        setrlimit(RLIMIT_FSIZE, &limit);
        if (locked)
            QVERIFY(lockFolder(dir.path(), false));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QCOMPARE(ini.readAll(), saved);
        QCOMPARE(stored, saved.contains("comSet=e")); // a failure never passes for success
        if (!file.isNull())
            QCOMPARE(ini.permissions(), mode);
        // Nothing left beside it, whether the write went through or failed.
        QCOMPARE(
            QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList {u"vedira.ini"_qs});
    }
    // An unwritable program folder, or one under /usr, sends the file and ports/ to vedira/ in
    // $XDG_CONFIG_HOME or ~/.config, made by a save, not a load; with no home, memory only.
    void settingsFolder_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("xdg"); // "" unset, "abs" a folder of its own, else as given
        QTest::addColumn<bool>("home");
        QTest::addColumn<QString>("saved"); // program, xdg or home, or "" for nowhere
        QTest::newRow("writable") << QString() << u"abs"_qs << true << u"program"_qs;
        QTest::newRow("locked") << u"locked"_qs << u"abs"_qs << true << u"xdg"_qs;
        QTest::newRow("installed") << u"/usr/bin"_qs << u"abs"_qs << true << u"xdg"_qs;
        QTest::newRow("installed, relative XDG_CONFIG_HOME")
            << u"/usr/bin"_qs << u"config"_qs << true << u"home"_qs;
        QTest::newRow("installed, no HOME") << u"/usr/bin"_qs << QString() << false << QString();
    }
    void settingsFolder()
    {
        QFETCH(QString, program);
        QFETCH(QString, xdg);
        QFETCH(bool, home);
        QFETCH(QString, saved);
        QTemporaryDir dir, config, homeDir, cwd;
        const bool locked = program == u"locked"_qs;
        const QByteArray oldHome = qgetenv("HOME");
        const QString oldCwd = QDir::currentPath();
        QDir::setCurrent(cwd.path());
        if (!xdg.isEmpty())
            qputenv("XDG_CONFIG_HOME", QFile::encodeName(xdg == u"abs" ? config.path() : xdg));
        if (home)
            qputenv("HOME", QFile::encodeName(homeDir.path()));
        else
            qunsetenv("HOME");
        const auto restore = qScopeGuard([&] {
            qunsetenv("XDG_CONFIG_HOME");
            qputenv("HOME", oldHome);
            QDir::setCurrent(oldCwd);
            if (locked)
                lockFolder(dir.path(), false);
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
        QCOMPARE(ProgramFolders::settings(), folder);
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

    // Reading key k of a settings file's bytes, and setting it to v.
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
        row("blanks around a given name", "[S]\nk=1\n", "1", "[S]\nk=v\n", " S\t");
        row("new section named without blanks", {}, {}, "[S]\r\nk=v\r\n", " S ");
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
        const std::optional<QByteArray> read = PrivateProfile::readValue(file, section, "k");
        QCOMPARE(read.has_value(), !value.isNull());
        QCOMPARE(read.value_or(QByteArray()), value);
        QTEST(PrivateProfile::writeValue(file, section, "k", "v"), "after");
    }
};

VEDIRA_TEST_CLASS(tst_SettingsStore);
#include "tst_settingsstore.moc"
