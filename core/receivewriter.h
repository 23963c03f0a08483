// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/receiveformatter.h"

#include <QByteArrayView>

#include <span>
#include <vector>

// Writes part of a receive area as UTF-8, either its text or its byte list (the rules of
// ReceiveFormatter::text and ReceiveFormatter::byteList), into memory the caller holds, a few bytes
// of the log at a time, so that a long part can be written in steps with events running between
// them. Each step is handed the log's bytes and breaks anew: a log that grew meanwhile may have
// moved them.
class ReceiveWriter
{
public:
    enum class Form { AreaText, ByteList };
    // Bytes firstByte..endByte of a log and its line breaks firstBreak..endBreak, as numbered in
    // its lineBreaks.
    struct Range
    {
        qsizetype firstByte = 0;
        qsizetype endByte = 0;
        qsizetype firstBreak = 0;
        qsizetype endBreak = 0;
    };

    // A byte list is hexadecimal whatever kind of area it comes from.
    ReceiveWriter(Form form, ReceiveFormatter::Kind kind, Range range);

    // The most the whole range can take; the memory given to write() holds at least this.
    qsizetype room() const;
    // Writes the items of at most maxBytes more bytes after what is written, and once the last
    // byte is written, what the breaks after it give.
    void write(std::span<char> out, QByteArrayView bytes, const std::vector<qsizetype> &lineBreaks,
        qsizetype maxBytes);
    bool atEnd() const { return m_byte == m_range.endByte && m_break == m_range.endBreak; }
    // The first byte not yet written.
    qsizetype nextByte() const { return m_byte; }
    qsizetype written() const { return m_written; }

private:
    void writeAreaText(char *out, const uchar *data, const qsizetype *breaks, qsizetype end);
    void writeByteList(char *out, const uchar *data, const qsizetype *breaks, qsizetype end);

    Form m_form;
    ReceiveFormatter::Kind m_kind;
    Range m_range;
    qsizetype m_byte = 0;
    qsizetype m_break = 0;
    qsizetype m_written = 0;
};
