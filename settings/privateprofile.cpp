// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/privateprofile.h"

#include "settings/big5codec.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

std::vector<Line> splitLines(const QByteArray &file)
{
    std::vector<Line> lines;
    qsizetype pos = 0;
    const qsizetype size = file.size();
    while (pos < size) {
        qsizetype nl = file.indexOf('\n', pos);
        Line line;
        line.begin = pos;
        if (nl < 0) {
            line.contentEnd = line.end = size;
        } else {
            line.end = nl + 1;
            line.contentEnd = (nl > pos && file[nl - 1] == '\r') ? nl - 1 : nl;
        }
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
        // A trail byte of a Big5 character may be ']' (5D), so step over whole characters.
        qsizetype i = b + 1;
        while (i < e && file[i] != ']')
            i += (Big5Codec::isLeadByte(uchar(file[i])) && i + 1 < e) ? 2 : 1;
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
    size_t lastContentLine = 0; // last non-blank line of the section
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
                loc.lastContentLine = i;
            }
            continue;
        }
        if (!loc.sectionLine)
            continue;
        if (!trimmed(
                QByteArrayView(file).sliced(lines[i].begin, lines[i].contentEnd - lines[i].begin))
                 .isEmpty())
            loc.lastContentLine = i;
        if (p.kind == Kind::Key && sameName(p.name, key)) {
            loc.keyLine = i;
            return loc;
        }
    }
    return loc;
}

} // namespace

QByteArray PrivateProfile::readValue(
    const QByteArray &file, QByteArrayView section, QByteArrayView key, bool *found)
{
    const auto lines = splitLines(file);
    const Location loc = locate(file, lines, section, key);
    if (found)
        *found = loc.keyLine.has_value();
    if (!loc.keyLine)
        return {};
    const Parsed p = parse(file, lines[*loc.keyLine]);
    QByteArrayView v = QByteArrayView(file).sliced(p.valueBegin, p.valueEnd - p.valueBegin);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.sliced(1, v.size() - 2);
    return v.toByteArray();
}

QByteArray PrivateProfile::writeValue(
    const QByteArray &file, QByteArrayView section, QByteArrayView key, QByteArrayView value)
{
    const auto lines = splitLines(file);
    const Location loc = locate(file, lines, section, key);
    QByteArray out = file;
    if (loc.keyLine) {
        const Parsed p = parse(file, lines[*loc.keyLine]);
        out.replace(p.valueBegin, p.valueEnd - p.valueBegin, value.toByteArray());
        return out;
    }
    const QByteArray keyLine
        = key.toByteArray() + '=' + value.toByteArray() + NewLine.toByteArray();
    if (loc.sectionLine) {
        const Line &last = lines[loc.lastContentLine];
        if (last.end == last.contentEnd) {
            // The section ends the file without a line end.
            out.append(NewLine);
            out.append(keyLine);
        } else {
            out.insert(last.end, keyLine);
        }
        return out;
    }
    if (!out.isEmpty() && !out.endsWith('\n'))
        out.append(NewLine);
    out.append('[' + section.toByteArray() + ']' + NewLine.toByteArray());
    out.append(keyLine);
    return out;
}

QString PrivateProfile::getString(const QString &section, const QString &key, const QString &def,
    int capacity, const QString &path)
{
    QByteArray value = Big5Codec::encode(def);
    QFile f(path);
    if (f.open(QIODevice::ReadOnly)) {
        bool found = false;
        const QByteArray v
            = readValue(f.readAll(), Big5Codec::encode(section), Big5Codec::encode(key), &found);
        if (found)
            value = v;
    }
    if (capacity <= 0)
        return {};
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

bool PrivateProfile::writeString(
    const QString &section, const QString &key, const QString &value, const QString &path)
{
    QByteArray old;
    const QFileInfo info(path);
    if (info.exists()) {
        // A file without its owner's write bit is read-only, even for root, as the read-only
        // attribute is on Windows.
        if (!info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner))
            return false;
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return false;
        old = f.readAll();
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = writeValue(
        old, Big5Codec::encode(section), Big5Codec::encode(key), Big5Codec::encode(value));
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}
