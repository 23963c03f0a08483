// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/privateprofile.h"

#include "core/big5codec.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <optional>
#include <vector>

namespace {

constexpr QByteArrayView NewLine = "\r\n";

struct Line
{
    qsizetype begin = 0;
    qsizetype contentEnd = 0; // before the CR LF or LF
    qsizetype end = 0; // after the line end
};

enum class Kind { Other, Section, Key };

struct Parsed
{
    Kind kind = Kind::Other;
    QByteArrayView name; // section or key name, trimmed
    qsizetype valueBegin = 0; // key lines: the trimmed value, quotes included, in file offsets
    qsizetype valueEnd = 0;
};

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// Lines end in CR LF, LF or a lone CR, mixed as they come.
std::vector<Line> splitLines(const QByteArray &file)
{
    std::vector<Line> lines;
    qsizetype pos = 0;
    const qsizetype size = file.size();
    while (pos < size) {
        qsizetype i = pos;
        while (i < size && file[i] != '\n' && file[i] != '\r')
            ++i;
        Line line;
        line.begin = pos;
        line.contentEnd = i;
        if (i == size)
            line.end = size;
        else if (file[i] == '\r' && i + 1 < size && file[i + 1] == '\n')
            line.end = i + 2;
        else
            line.end = i + 1;
        lines.push_back(line);
        pos = line.end;
    }
    return lines;
}

QByteArrayView trimmed(QByteArrayView v)
{
    while (!v.isEmpty() && isBlank(v.front()))
        v = v.sliced(1);
    while (!v.isEmpty() && isBlank(v.back()))
        v.chop(1);
    return v;
}

bool sameName(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        auto x = uchar(a[i]), y = uchar(b[i]);
        if (x >= 'a' && x <= 'z')
            x -= 32;
        if (y >= 'a' && y <= 'z')
            y -= 32;
        if (x != y)
            return false;
    }
    return true;
}

Parsed parse(const QByteArray &file, const Line &line)
{
    Parsed p;
    qsizetype b = line.begin, e = line.contentEnd;
    while (b < e && isBlank(file[b]))
        ++b;
    if (b == e || file[b] == ';')
        return p;
    if (file[b] == '[') {
        // A trail byte of a Big5 character may be ']' (5D), so step over whole characters; a lead
        // byte last on the line steps past its end, which the cut below allows for.
        qsizetype i = b + 1;
        while (i < e && file[i] != ']')
            i += Big5Codec::isLeadByte(uchar(file[i])) ? 2 : 1;
        p.kind = Kind::Section;
        p.name = trimmed(QByteArrayView(file).sliced(b + 1, qMin(i, e) - b - 1));
        return p;
    }
    // '=' (3D) is never a Big5 trail byte, so a plain search is safe.
    const qsizetype eq = QByteArrayView(file).sliced(b, e - b).indexOf('=');
    if (eq < 0)
        return p;
    p.kind = Kind::Key;
    p.name = trimmed(QByteArrayView(file).sliced(b, eq));
    qsizetype vb = b + eq + 1, ve = e;
    while (vb < ve && isBlank(file[vb]))
        ++vb;
    while (ve > vb && isBlank(file[ve - 1]))
        --ve;
    p.valueBegin = vb;
    p.valueEnd = ve;
    return p;
}

struct Location
{
    std::optional<size_t> sectionLine;
    std::optional<size_t> keyLine;
    size_t lastEntryLine = 0; // the section's last line that is neither blank nor a comment
};

Location locate(const QByteArray &file, const std::vector<Line> &lines, QByteArrayView section,
    QByteArrayView key)
{
    Location loc;
    for (size_t i = 0; i < lines.size(); ++i) {
        const Parsed p = parse(file, lines[i]);
        if (p.kind == Kind::Section) {
            if (loc.sectionLine)
                break;
            if (sameName(p.name, section)) {
                loc.sectionLine = i;
                loc.lastEntryLine = i;
            }
            continue;
        }
        if (!loc.sectionLine)
            continue;
        const QByteArrayView text = trimmed(
            QByteArrayView(file).sliced(lines[i].begin, lines[i].contentEnd - lines[i].begin));
        if (!text.isEmpty() && text.front() != ';')
            loc.lastEntryLine = i;
        if (p.kind == Kind::Key && sameName(p.name, key)) {
            loc.keyLine = i;
            return loc;
        }
    }
    return loc;
}

bool endsWithoutLineEnd(const Line &line)
{
    return line.end == line.contentEnd;
}

#ifdef Q_OS_UNIX
bool syncToDisk(int fd)
{
    return ::fsync(fd) == 0;
}

// A replacement is a new file: give it the old one's owner where we may.
void keepOwner(int fd, const QString &path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
        // Where we may not, the file stays ours, as any editor's save would leave it.
        [[maybe_unused]] const int ignored = ::fchown(fd, st.st_uid, st.st_gid);
    }
}
#else
// Windows: the commit flushes the file to disk itself.
bool syncToDisk(int)
{
    return true;
}
void keepOwner(int, const QString &) { }
#endif

enum class Replaced { Done, NoTemporaryFile, Failed };

// A complete new copy replaces the file in one rename, or nothing happens to it.
Replaced replaceFile(const QString &path, const QByteArray &bytes, bool exists)
{
    QSaveFile out(path);
    // Unbuffered, so a full disk fails the write itself; a failing final flush inside commit()
    // would go unnoticed and rename a short copy over the file.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Replaced::NoTemporaryFile;
    if (exists)
        keepOwner(out.handle(), path);
    // Without a commit, the temporary file goes with the QSaveFile.
    if (out.write(bytes) != bytes.size() || !syncToDisk(out.handle()))
        return Replaced::Failed;
    return out.commit() ? Replaced::Done : Replaced::Failed;
}

// For a writable file in a folder we may not create files in. Not atomic, so a failure puts the
// old bytes back as far as it can.
bool rewriteInPlace(const QString &path, const QByteArray &bytes, const QByteArray &old)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return false;
    if (f.write(bytes) == bytes.size() && f.resize(bytes.size()) && syncToDisk(f.handle()))
        return true;
    if (f.seek(0) && f.write(old) == old.size())
        f.resize(old.size());
    return false;
}

// The file's bytes; nullopt when it is no regular file (a FIFO would block the start, a device
// never end), cannot be read or is larger than the bound.
std::optional<QByteArray> readFile(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    // One byte past the bound tells a file too large, even one that grew since it was looked at.
    QByteArray bytes = f.read(PrivateProfile::MaxFileSize + 1);
    if (f.error() != QFileDevice::NoError || bytes.size() > PrivateProfile::MaxFileSize)
        return std::nullopt;
    return bytes;
}

} // namespace

std::optional<QByteArray> PrivateProfile::readValue(
    const QByteArray &file, QByteArrayView section, QByteArrayView key)
{
    const auto lines = splitLines(file);
    const Location loc = locate(file, lines, trimmed(section), trimmed(key));
    if (!loc.keyLine)
        return std::nullopt;
    const Parsed p = parse(file, lines[*loc.keyLine]);
    QByteArrayView v = QByteArrayView(file).sliced(p.valueBegin, p.valueEnd - p.valueBegin);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.sliced(1, v.size() - 2);
    return v.toByteArray();
}

QByteArray PrivateProfile::writeValue(
    const QByteArray &file, QByteArrayView section, QByteArrayView key, QByteArrayView value)
{
    section = trimmed(section);
    key = trimmed(key);
    const auto lines = splitLines(file);
    const Location loc = locate(file, lines, section, key);
    QByteArray out = file;
    if (loc.keyLine) {
        const Parsed p = parse(file, lines[*loc.keyLine]);
        out.replace(p.valueBegin, p.valueEnd - p.valueBegin, value.toByteArray());
        if (endsWithoutLineEnd(lines[*loc.keyLine]))
            out.append(NewLine);
        return out;
    }
    const QByteArray keyLine
        = key.toByteArray() + '=' + value.toByteArray() + NewLine.toByteArray();
    if (loc.sectionLine) {
        // After the section's last entry, so comments and blank lines that close it stay last.
        const Line &last = lines[loc.lastEntryLine];
        if (endsWithoutLineEnd(last)) {
            out.append(NewLine);
            out.append(keyLine);
        } else {
            out.insert(last.end, keyLine);
        }
        return out;
    }
    if (!out.isEmpty() && !out.endsWith('\n') && !out.endsWith('\r'))
        out.append(NewLine);
    out.append('[' + section.toByteArray() + ']' + NewLine.toByteArray());
    out.append(keyLine);
    return out;
}

QString PrivateProfile::getString(const QString &section, const QString &key, const QString &def,
    int capacity, const QString &path)
{
    QByteArray value = Big5Codec::encode(def);
    while (!value.isEmpty() && isBlank(value.back()))
        value.chop(1);
    if (const std::optional<QByteArray> file = readFile(path)) {
        if (const std::optional<QByteArray> v
            = readValue(*file, Big5Codec::encode(section), Big5Codec::encode(key)))
            value = *v;
    }
    if (value.size() > capacity - 1) {
        // Never split a two-byte character: cut before its lead byte.
        qsizetype cut = 0;
        for (qsizetype i = 0; i < capacity - 1;) {
            const qsizetype step = Big5Codec::isLeadByte(uchar(value[i])) ? 2 : 1;
            if (i + step > capacity - 1)
                break;
            i += step;
            cut = i;
        }
        value.truncate(cut);
    }
    return Big5Codec::decode(value);
}

bool PrivateProfile::writeStrings(
    const QString &section, const QList<std::pair<QString, QString>> &entries, const QString &path)
{
    QByteArray old;
    const QFileInfo info(path);
    const bool exists = info.exists();
    if (exists) {
        // A file without its owner's write bit is read-only, even for root, as the read-only
        // attribute is on Windows. Anything but a regular file is never written through.
        if (!info.isFile() || !info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner))
            return false;
        // One too large to read is never replaced by a copy of the part that was read.
        const std::optional<QByteArray> file = readFile(path);
        if (!file)
            return false;
        old = *file;
    }
    QByteArray bytes = old;
    for (const auto &[key, value] : entries) {
        bytes = writeValue(
            bytes, Big5Codec::encode(section), Big5Codec::encode(key), Big5Codec::encode(value));
    }
    switch (replaceFile(path, bytes, exists)) {
    case Replaced::Done:
        return true;
    case Replaced::NoTemporaryFile:
        return exists && rewriteInPlace(path, bytes, old);
    case Replaced::Failed:
        break;
    }
    return false;
}
