// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/receiveformatter.h"
#include "core/receivelog.h"
#include "core/receivewriter.h"

#include <QByteArrayView>
#include <QPointer>
#include <QString>

#include <array>
#include <vector>

// Positions in the text of one receive area, worked out from its ReceiveLog when asked so a range
// near the end of a log of any size costs about as much as the range. The text is cut into tokens:
// every byte's item with its blank is one, every line break (CR LF) is one, in text order.
// Character offsets count the UTF-16 characters of the text. A log that goes away reads as empty;
// a cleared one drops what was worked out about its old bytes.
class ReceiveText
{
public:
    ReceiveText(const ReceiveLog *log, ReceiveFormatter::Kind kind);
    ReceiveText(const ReceiveText &) = delete;
    ReceiveText &operator=(const ReceiveText &) = delete;

    const ReceiveLog *log() const { return m_log.data(); }
    ReceiveFormatter::Kind kind() const { return m_kind; }

    qsizetype tokenCount() const
    {
        return m_log ? m_log->byteCount() + qsizetype(m_log->lineBreaks().size()) : 0;
    }
    // The line breaks among the tokens before token.
    qsizetype breaksBefore(qsizetype token) const;
    qsizetype byteOfToken(qsizetype token) const { return token - breaksBefore(token); }
    qsizetype tokenOfByte(qsizetype byte) const;
    bool isBreak(qsizetype token) const { return breaksBefore(token + 1) > breaksBefore(token); }

    struct Part
    {
        QByteArrayView bytes;
        std::vector<qsizetype> breaks; // relative to the first byte
    };
    // The bytes and breaks of the tokens from..to, valid until the log changes.
    Part part(qsizetype from, qsizetype to) const;
    // Where in the log the tokens from..to lie.
    ReceiveWriter::Range range(qsizetype from, qsizetype to) const;
    // The text of the tokens from..to.
    QString slice(qsizetype from, qsizetype to) const;

    qsizetype charCount() const { return charOfToken(tokenCount()); }
    qsizetype charOfToken(qsizetype token) const;
    // The token holding the character at offset, or the token count at the end.
    qsizetype tokenOfChar(qsizetype offset) const;
    // The characters from..to, clamped to the text.
    QString chars(qsizetype from, qsizetype to) const;

private:
    qsizetype itemCharsBefore(qsizetype byte) const;
    qsizetype blockChars(const uchar *data) const;

    QPointer<const ReceiveLog> m_log;
    ReceiveFormatter::Kind m_kind;
    std::array<qsizetype, 256> m_itemChars {};
    std::vector<uchar> m_steps; // bytes where the item grows by one character
    // Characters of the items before byte k * BlockBytes, extended as the log grows.
    mutable std::vector<qsizetype> m_blockChars;
    mutable quint64 m_clearsSeen = 0;
};
