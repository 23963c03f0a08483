// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/programfolders.h"
#include "settings/module1.h"
#include "tests/support/lockfolder.h"
#include "tests/support/sharedstate.h"

#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

// Each row loads from a new program folder holding the file (none when null), then saves 2 and e.
class tst_Module1 : public QObject
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
        for (const char *special : {"FIFO", "link to /dev/zero"})
            row(special, {}, "1|9600,n,8,1", "special");
        // Mended: the file was read whole at the start (100 MB of line ends took 3.3 GB).
        const auto padded
            = [](int size) { return QByteArray("[Setup]\ncomPort=5\n").leftJustified(size, '\n'); };
        row("64 KiB, read", padded(64 * 1024), "5|9600,n,8,1");
        row("a byte more, neither read nor saved", padded(64 * 1024 + 1), "1|9600,n,8,1",
            padded(64 * 1024 + 1));
        row("blank 0, blanks only", "[Setup]\ncomPort= 0 \ncomSet= ", "1|");
        // Mended: quotes keep what the reader strips; the trim then takes ASCII blanks only.
        row("quoted", "[Setup]\ncomSet=\" \t\xA1\x40 \"", "1|\t\u3000");
        // 例 is A8 D2: a cut to 11 bytes never splits it. Mended: a lone lead byte used to vanish.
        row("Big5 at the ends", "[Setup]\ncomPort=1234567890\xA8\xD2\ncomSet=123456789012\xA4",
            "1234567890|123456789012\uFFFD");
        row("Big5 filling the cut", "[Setup]\ncomPort=123456789\xA8\xD2\xA8\xD2",
            "123456789例|9600,n,8,1");
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
            QVERIFY(tag == "FIFO" ? ::mkfifo(path.constData(), 0600) == 0
                                  : ::symlink("/dev/zero", path.constData()) == 0);
        }
        QVERIFY(
            file.isNull() || (ini.open(QIODevice::WriteOnly) && ini.write(file) == file.size()));
        ini.close();
        QVERIFY(file.isNull()
            || ini.setPermissions(tag == "read-only"
                    ? QFileDevice::ReadOwner
                    : QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        Module1::LoadSettings();
        QTEST(Module1::ComPortNo + u'|' + Module1::ComSetting, "loaded");
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
        // Nothing left beside it, whether the write went through or failed.
        QCOMPARE(
            QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList {u"vedira.ini"_qs});
    }
};

QTEST_GUILESS_MAIN(tst_Module1)
#include "tst_module1.moc"
