// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/frmcrcbook.h"

#include "resources/icons.h"
#include "ui/designfonts.h"
#include "ui/formbuilder.h"
#include "ui/twips.h"

#include <QLabel>

namespace {

// The installed Ming look-alikes set Latin letters wider than the design's font, so the two
// longest lines would run past the window's edge. Those lines are set a little tighter rather
// than smaller or cut off.
void fitToWidth(QLabel *label)
{
    const QString text = label->text();
    const int excess = label->fontMetrics().horizontalAdvance(text) - label->width();
    if (excess <= 0 || text.size() < 2)
        return;
    QFont tight = label->font();
    tight.setLetterSpacing(QFont::AbsoluteSpacing, -qreal(excess + 1) / qreal(text.size() - 1));
    label->setFont(tight);
}

} // namespace

frmCRCbook::frmCRCbook()
{
    setObjectName(QStringLiteral("frmCRCbook"));
    buildControls();
}

void frmCRCbook::buildControls()
{
    setWindowTitle(QStringLiteral("CRC說明"));
    setWindowIcon(Icons::crcHelpWindow());
    setFixedSize(twipsSize(6015, 3225));
    setFont(DesignFonts::font(DesignFonts::PMingliu, 9.75));

    struct Line
    {
        int number;
        int top;
        int left;
        const char16_t *text;
    };
    // Top to bottom; the lines at 300 continue the step above them.
    static constexpr std::array<Line, 9> Lines {{
        {1, 120, 120, u"CRC-check 算法如下 :"},
        {2, 480, 120, u"1. 令16-bits暫存器 CRC=FFFF (Hex)。"},
        {3, 840, 120, u"2. 第一個8-bit byte值與CRC暫存器做 Xor，將結果存入CRC暫存器內。"},
        {4, 1200, 120, u"3. CRC暫存器右移一位 bit，然後將 0 填入至高位元。"},
        {5, 1560, 120, u"4. 檢查右移的值如果是 0，則將新值放入CRC暫存器內，否則將新值"},
        {8, 1860, 300, u"與A001(Hex)做 Xor，將其結果存入CRC暫存器內。"},
        {6, 2220, 120, u"5. 重複步驟 3~4，直到 8個 bit 全部運算完成。"},
        {7, 2580, 120, u"6. 重複步驟 2~5，取下一個 8-bit 訊息資料做運算，直到所有訊息資料"},
        {9, 2880, 300, u"運算完成，即是CRC的檢查碼。"},
    }};
    for (const Line &line : Lines) {
        QLabel *l = FormBuilder::label(this, QStringLiteral("Label%1").arg(line.number),
            QString::fromUtf16(line.text), twips(line.left, line.top, 6015 - line.left, 270));
        fitToWidth(l);
        Label[size_t(line.number - 1)] = l;
    }
    Label[0]->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255);"));
}
