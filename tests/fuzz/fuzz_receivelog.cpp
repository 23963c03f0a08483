// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary receive events, sends and clears: the three area texts stay in step and give back
// every byte and every line break.
//
// The input is a list of operations. An operation byte below 0xC0 appends a chunk of that many
// bytes modulo 64 plus one (taken from the input that follows, fewer when it runs out); 0xC0 to
// 0xEF adds a line break; 0xF0 to 0xFB clears; 0xFC and above appends an empty read.
#include "fuzzcheck.h"
#include "terminal/receivelog.h"

#include <QStringList>

#include <optional>
#include <vector>

namespace {

using Kind = ReceiveFormatter::Kind;

// What the log must hold, kept apart from it.
struct Model
{
    QByteArray bytes;
    std::vector<qsizetype> breaks;
};

// The byte a character item stands for; nullopt for the mark shared by every byte above 127.
std::optional<uchar> characterByte(QChar c, bool *valid)
{
    const char16_t u = c.unicode();
    *valid = true;
    if (u >= 0x2400 && u <= 0x241F)
        return uchar(u - 0x2400);
    if (u == 0x2421)
        return uchar(0x7F);
    if (u == 0x00B7)
        return std::nullopt;
    if (u >= 0x20 && u <= 0x7E)
        return uchar(u);
    *valid = false;
    return std::nullopt;
}

// One area's text as lines of items: every item followed by one blank, every break a CR LF.
std::vector<QStringList> rows(Kind kind, const QString &text)
{
    std::vector<QStringList> out;
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    for (const QString &line : lines) {
        QStringList items;
        if (kind == Kind::Character) {
            // A character item is one character, and may itself be a blank.
            check(line.size() % 2 == 0, "character items come in pairs with their blank", line);
            for (qsizetype i = 0; i < line.size(); i += 2) {
                check(line[i + 1] == u' ', "each character item is followed by a blank", line);
                items.append(line.mid(i, 1));
            }
        } else {
            check(line.isEmpty() || line.endsWith(u' '), "each item is followed by a blank", line);
            items = line.split(u' ');
            items.removeLast();
        }
        out.push_back(items);
    }
    return out;
}

// "0" to "255" without leading zeros, or "0" to "FF" in upper case.
std::optional<uchar> numberByte(const QString &item, int base)
{
    if (item.isEmpty() || item.size() > (base == 10 ? 3 : 2))
        return std::nullopt;
    if (item.size() > 1 && item[0] == u'0')
        return std::nullopt;
    int value = 0;
    for (QChar c : item) {
        const int d = QStringLiteral("0123456789ABCDEF").indexOf(c);
        if (d < 0 || d >= base)
            return std::nullopt;
        value = value * base + d;
    }
    if (value > 255)
        return std::nullopt;
    return uchar(value);
}

void checkInStep(const ReceiveLog &log, const Model &model)
{
    check(log.byteCount() == model.bytes.size(), "byteCount counts every byte since the clear");
    check(log.bytes() == model.bytes, "the log keeps the bytes in order");
    check(log.isEmpty() == (model.bytes.isEmpty() && model.breaks.empty()),
        "empty exactly without bytes and breaks");

    const QString texts[3]
        = {log.text(Kind::Character), log.text(Kind::Decimal), log.text(Kind::Hexadecimal)};
    const std::vector<QStringList> character = rows(Kind::Character, texts[0]);
    const std::vector<QStringList> decimal = rows(Kind::Decimal, texts[1]);
    const std::vector<QStringList> hexadecimal = rows(Kind::Hexadecimal, texts[2]);
    for (const QString &t : texts)
        check(qsizetype(t.count(QStringLiteral("\r\n"))) == qsizetype(model.breaks.size()),
            "one CR LF per line break in every area", t.left(200));

    // Line i holds the bytes between break i-1 and break i.
    qsizetype at = 0;
    for (size_t line = 0; line < character.size(); ++line) {
        const qsizetype end = line < model.breaks.size() ? model.breaks[line] : model.bytes.size();
        const qsizetype count = end - at;
        check(character[line].size() == count && decimal[line].size() == count
                && hexadecimal[line].size() == count,
            "each line has the same items in all three areas", texts[2].left(200));
        for (qsizetype i = 0; i < count; ++i) {
            const uchar b = uchar(model.bytes[at + i]);
            check(numberByte(decimal[line][i], 10) == b, "a decimal item reads back as its byte",
                decimal[line][i]);
            check(numberByte(hexadecimal[line][i], 16) == b,
                "a hexadecimal item reads back as its byte", hexadecimal[line][i]);
            bool valid = false;
            const std::optional<uchar> c = characterByte(character[line][i][0], &valid);
            check(valid, "a character item is a printable character or a picture",
                character[line][i]);
            check(c ? *c == b : b >= 0x80, "a character item stands for its byte",
                character[line][i]);
        }
        at = end;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ReceiveLog log;
    Model model;
    qsizetype expectedFrom = -1;
    int appendedSignals = 0;
    QObject::connect(&log, &ReceiveLog::appended, [&](qsizetype from) {
        check(from == expectedFrom, "appended() names where the new bytes start");
        ++appendedSignals;
    });

    size_t i = 0;
    while (i < size) {
        const uchar op = data[i++];
        if (op < 0xC0) {
            const size_t n = std::min(size_t(op % 64) + 1, size - i);
            const QByteArray chunk(reinterpret_cast<const char *>(data + i), qsizetype(n));
            i += n;
            expectedFrom = model.bytes.size();
            const int before = appendedSignals;
            log.append(chunk);
            model.bytes += chunk;
            check(appendedSignals == before + (chunk.isEmpty() ? 0 : 1),
                "one appended() per non-empty read");
        } else if (op < 0xF0) {
            log.addLineBreak();
            model.breaks.push_back(model.bytes.size());
        } else if (op < 0xFC) {
            checkInStep(log, model);
            log.clear();
            model = {};
            checkInStep(log, model);
        } else {
            log.append(QByteArrayView());
        }
    }
    checkInStep(log, model);
    return 0;
}
