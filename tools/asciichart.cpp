// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/asciichart.h"

#include "core/hexdigit.h"
#include "ui/designfonts.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <array>

namespace {

constexpr int HeaderBottom = 32; // the rule under the two heading lines
constexpr int RowHeight = 15;
constexpr std::array<int, 7> GroupLeft {0, 83, 166, 249, 332, 415, 500};
// Blank pixels kept between any text and the rules beside it.
constexpr int Margin = 2;

constexpr std::array<const char *, 32> ControlNames {"NUL", "SOH", "STX", "ETX", "EOT", "ENQ",
    "ACK", "BEL", "BS", "HT", "LF", "VT", "FF", "CR", "SO", "SI", "DLE", "DC1", "DC2", "DC3", "DC4",
    "NAK", "SYN", "ETB", "CAN", "EM", "SUB", "ESC", "FS", "GS", "RS", "US"};

QImage draw()
{
    QImage img(AsciiChart::Width, AsciiChart::Height, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    QFont font = DesignFonts::font(DesignFonts::Arial, 8.25);
    font.setStyleStrategy(QFont::NoAntialias);
    // The headings are a little smaller, so three columns of them fit a sixth of the width.
    QFont headingFont = font;
    headingFont.setPointSizeF(7.5);
    p.setPen(Qt::black);

    // Each column as wide as its widest text and its margins; the characters take the rest.
    const auto widest = [&img](const QFont &f, std::initializer_list<const char *> texts) {
        const QFontMetrics metrics(f, &img);
        int w = 0;
        for (const char *t : texts)
            w = std::max(w, metrics.boundingRect(QLatin1String(t)).width());
        return w;
    };
    // Inside the Dec column lie the double rule's two pixels; the Hex column begins after a rule.
    const int decWidth
        = std::max(widest(headingFont, {"10", "Dec"}), widest(font, {"127", "100", "88"}))
        + 2 * Margin + 2;
    const int hexWidth
        = std::max(widest(headingFont, {"16", "Hex"}), widest(font, {"7F", "0D"})) + 2 * Margin + 1;

    const int right = AsciiChart::Width - 1;
    const int bottom = AsciiChart::Height - 1;
    p.drawRect(0, 0, right, bottom);
    p.drawLine(0, HeaderBottom - 1, right, HeaderBottom - 1);
    for (int row = 0; row <= AsciiChart::RowsPerGroup; ++row)
        p.drawLine(0, HeaderBottom + row * RowHeight, right, HeaderBottom + row * RowHeight);

    for (int group = 0; group < 6; ++group) {
        const int left = GroupLeft[size_t(group)];
        const int end = GroupLeft[size_t(group) + 1];
        // A double rule between groups, single rules between the three columns.
        p.drawLine(left + 1, 0, left + 1, bottom);
        const std::array<QRect, 3> columns {QRect(left + 2, 0, decWidth - 2, 0),
            QRect(left + decWidth + 1, 0, hexWidth - 1, 0),
            QRect(left + decWidth + hexWidth + 1, 0, end - left - decWidth - hexWidth - 1, 0)};
        p.drawLine(left + decWidth, 0, left + decWidth, bottom);
        p.drawLine(left + decWidth + hexWidth, 0, left + decWidth + hexWidth, bottom);

        const auto cell = [&](int column, int top, int height, const QString &text) {
            QRect r = columns[size_t(column)];
            r.setTop(top);
            r.setHeight(height);
            p.drawText(r, Qt::AlignCenter, text);
        };
        p.setFont(headingFont);
        cell(0, 2, 14, QStringLiteral("10"));
        cell(0, 15, 14, QStringLiteral("Dec"));
        cell(1, 2, 14, QStringLiteral("16"));
        cell(1, 15, 14, QStringLiteral("Hex"));
        cell(2, 2, 27, QStringLiteral("ASCII"));
        p.setFont(font);

        for (int row = 0; row < AsciiChart::RowsPerGroup; ++row) {
            const int code = group * AsciiChart::RowsPerGroup + row;
            if (code > 127)
                break;
            const int top = HeaderBottom + row * RowHeight + 1;
            cell(0, top, RowHeight - 1, QString::number(code));
            cell(1, top, RowHeight - 1, hexText(quint32(code), 2));
            cell(2, top, RowHeight - 1, AsciiChart::symbol(code));
        }
    }
    p.end();

    QImage mono = img.convertToFormat(
        QImage::Format_Mono, {qRgb(0, 0, 0), qRgb(255, 255, 255)}, Qt::ThresholdDither);
    mono.setDotsPerMeterX(3780);
    mono.setDotsPerMeterY(3780);
    return mono;
}

} // namespace

const QImage &AsciiChart::picture()
{
    static const QImage chart = draw();
    return chart;
}

QString AsciiChart::symbol(int code)
{
    if (code >= 0 && code < 32)
        return QLatin1String(ControlNames[size_t(code)]);
    if (code == 32)
        return QStringLiteral("SP");
    if (code == 127)
        return QStringLiteral("DEL");
    return QChar(code);
}
