// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary frames at arbitrary times into the Modbus slave, checked against a model of the line
// and of the sixteen registers.
//
// The first input byte picks the line speed. Each operation byte then says, in its low two bits:
// 0 feed raw bytes (the next (op >> 2) % 16 input bytes), 1 feed a frame with a correct CRC
// (address, function, up to seven data bytes from the input), 2 poll, 3 feed a well-formed read
// or write request. Every operation ends with a byte that advances the clock by that many
// hundredths of the frame gap.
#include "fuzzcheck.h"
#include "serial/modbusslave.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

namespace {

// CRC-16/MODBUS from a table, written apart from the slave's bit loop.
quint16 referenceCrc(const QByteArray &bytes)
{
    static const std::array<quint16, 256> table = [] {
        std::array<quint16, 256> t {};
        for (unsigned n = 0; n < 256; ++n) {
            unsigned c = n;
            for (int k = 0; k < 8; ++k)
                c = (c >> 1) ^ ((c & 1) ? 0xA001u : 0u);
            t[n] = quint16(c);
        }
        return t;
    }();
    unsigned crc = 0xFFFF;
    for (char b : bytes)
        crc = (crc >> 8) ^ table[(crc ^ uchar(b)) & 0xFF];
    return quint16(crc);
}

bool crcValid(const QByteArray &frame)
{
    return frame.size() >= 3 && referenceCrc(frame) == 0;
}

QByteArray withCrc(QByteArray frame)
{
    const quint16 crc = referenceCrc(frame);
    frame.append(char(crc & 0xFF));
    frame.append(char(crc >> 8));
    return frame;
}

int word(const QByteArray &b, qsizetype at)
{
    return (uchar(b[at]) << 8) | uchar(b[at + 1]);
}

class Input
{
public:
    Input(const uint8_t *data, size_t size)
        : m_data(data)
        , m_size(size)
    { }
    bool atEnd() const { return m_pos >= m_size; }
    uchar byte() { return atEnd() ? 0 : m_data[m_pos++]; }
    QByteArray bytes(size_t n)
    {
        n = std::min(n, m_size - m_pos);
        QByteArray out(reinterpret_cast<const char *>(m_data + m_pos), qsizetype(n));
        m_pos += n;
        return out;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};

struct Line
{
    QByteArray pending;
    qint64 lastByteAt = 0;
    qint64 gap = 0;

    // The frame the silence before now has ended, if any.
    QByteArray takeEnded(qint64 now)
    {
        if (pending.isEmpty() || now - lastByteAt < gap)
            return {};
        return std::exchange(pending, {});
    }
};

void checkReply(const QByteArray &frame, const QByteArray &reply, std::array<quint16, 16> &regs)
{
    const bool forUs = frame.size() >= 4 && crcValid(frame) && uchar(frame[0]) == 1;
    const QString shown = QString::fromLatin1(frame.toHex(' ') + " -> " + reply.toHex(' '));
    check(reply.isEmpty() || forUs, "replies only to a whole frame for address 1", shown);
    check(!forUs || !reply.isEmpty(), "every frame for address 1 gets a reply", shown);

    const bool broadcast = frame.size() >= 4 && crcValid(frame) && uchar(frame[0]) == 0;
    if (broadcast && frame.size() == 8 && uchar(frame[1]) == 6 && word(frame, 2) < 16)
        regs[size_t(word(frame, 2))] = quint16(word(frame, 4));
    if (reply.isEmpty())
        return;

    check(reply.size() <= 256, "a reply fits the 256-byte frame", shown);
    check(crcValid(reply), "a reply carries a valid CRC", shown);
    check(uchar(reply[0]) == 1, "a reply comes from address 1", shown);
    const uchar function = uchar(frame[1]);
    if (uchar(reply[1]) == (function | 0x80)) {
        check(reply.size() == 5 && reply[2] >= 1 && reply[2] <= 3,
            "an exception is one code of 1 to 3", shown);
        return;
    }
    check(uchar(reply[1]) == function && (function == 3 || function == 6),
        "only functions 03 and 06 answer normally", shown);
    check(frame.size() == 8, "a normal answer needs a request of eight bytes", shown);
    const int address = word(frame, 2);
    if (function == 6) {
        check(reply == frame && address < 16, "a write echoes the request", shown);
        regs[size_t(address)] = quint16(word(frame, 4));
        return;
    }
    const int count = word(frame, 4);
    check(count >= 1 && address + count <= 16 && reply.size() == 5 + 2 * count
            && uchar(reply[2]) == 2 * count,
        "a read answers the registers asked for", shown);
    for (int i = 0; i < count; ++i)
        check(word(reply, 3 + 2 * i) == regs[size_t(address + i)],
            "a read gives the registers' values", shown);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static constexpr qint32 speeds[]
        = {300, 1200, 2400, 4800, 9600, 14400, 19200, 38400, 57600, 115200, 921600, 1};
    Input in(data, size);
    const qint32 speed = speeds[in.byte() % std::size(speeds)];
    ModbusSlave slave(speed);

    // 3.5 characters of 11 bits, never below 1.75 ms.
    Line line;
    line.gap = speed > 19200 ? 1750 : 38500000 / speed;
    check(slave.frameGapMicroseconds() == line.gap, "the frame gap is 3.5 characters");

    std::array<quint16, 16> regs {};
    qint64 now = 0;
    while (!in.atEnd()) {
        const uchar op = in.byte();
        QByteArray bytes;
        switch (op & 3) {
        case 0:
            bytes = in.bytes((op >> 2) % 16);
            break;
        case 1: {
            bytes.append(char((op & 4) ? 1 : in.byte()));
            bytes.append(char((op & 8) ? 3 : (op & 16) ? 6 : in.byte()));
            bytes += in.bytes(in.byte() % 8);
            bytes = withCrc(bytes);
            break;
        }
        case 3: {
            QByteArray request;
            request.append(char((op & 4) ? 0 : 1));
            request.append(char((op & 8) ? 6 : 3));
            request.append(char((op & 16) ? in.byte() : 0));
            request.append(char(in.byte() & 0x1F));
            request.append(char((op & 32) ? in.byte() : 0));
            request.append(char(in.byte()));
            bytes = withCrc(request);
            break;
        }
        default:
            break;
        }

        QByteArray reply;
        QByteArray ended;
        if ((op & 3) == 2) {
            reply = slave.poll(now);
            ended = line.takeEnded(now);
        } else {
            reply = slave.feed(bytes, now);
            if (!bytes.isEmpty()) {
                ended = line.takeEnded(now);
                line.pending += bytes;
                line.lastByteAt = now;
            }
        }
        checkReply(ended, reply, regs);
        check(slave.frameInProgress() == !line.pending.isEmpty(),
            "a frame is in progress exactly while bytes wait for the gap");
        for (int r = 0; r < 16; ++r)
            check(slave.holdingRegister(r) == regs[size_t(r)],
                "registers change only by writes that were carried out");
        now += line.gap * in.byte() / 100;
    }
    return 0;
}
