// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/frmcheck.h"

#include "resources/icons.h"
#include "ui/designfonts.h"
#include "ui/formbuilder.h"
#include "ui/mdichild.h"
#include "ui/messagebox.h"
#include "ui/namedcomboaccessible.h"
#include "ui/twips.h"
#include "ui/uitexts.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace FormBuilder;

namespace {

constexpr QColor ValueColour(255, 224, 192);
constexpr QColor SplitColour(255, 255, 192);

QLabel *arrow(QWidget *parent, const char *name, const QRect &rect)
{
    QLabel *l = label(parent, name, QStringLiteral("→"), rect);
    l->setFont(DesignFonts::font(DesignFonts::PMingliu, 12, true));
    l->setAlignment(Qt::AlignCenter);
    return l;
}

QLineEdit *output(QWidget *parent, const char *name, const QColor &colour, const QRect &rect)
{
    auto *box = place(new QLineEdit(parent), name, rect);
    box->setFont(DesignFonts::font(DesignFonts::Arial, 12));
    box->setReadOnly(true);
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, colour);
    box->setPalette(pal);
    return box;
}

// A box is known by the label above it, and by its frame where two frames share a label.
void nameBy(QLabel *label, QWidget *box)
{
    labelFor(label, box);
    if (auto *group = qobject_cast<QGroupBox *>(box->parentWidget()))
        box->setAccessibleDescription(group->title());
}

} // namespace

frmCheck::frmCheck()
{
    setObjectName(QStringLiteral("frmCheck"));
    buildControls();
    connectHandlers();
}

void frmCheck::buildControls()
{
    setWindowTitle(QStringLiteral("計算檢查碼"));
    setWindowIcon(Icons::checksumWindow());
    setFixedSize(twipsSize(4770, 5385));

    Label1 = label(this, "Label1", QStringLiteral("請輸入16進制字串 , 使用\"，\"分隔"),
        twips(120, 120, 4530, 255));
    NamedComboAccessible::installFactory();
    CobTxt = new QComboBox(this);
    CobTxt->setEditable(true);
    CobTxt->setInsertPolicy(QComboBox::NoInsert);
    CobTxt->setCompleter(nullptr);
    CobTxt->setMaxVisibleItems(8);
    CobTxt->setFont(DesignFonts::font(DesignFonts::Arial, 12));
    CobTxt->lineEdit()->setFont(CobTxt->font());
    // Placed once editable and in its font, so that its line edit is laid out inside it.
    place(CobTxt, "CobTxt", twips(120, 420, 4530, 360));
    CobTxt->setEditText(QStringLiteral("例如：41,42,43"));

    Frame1 = frame(this, "Frame1", QStringLiteral("CRC-16"), twips(120, 900, 4530, 1740));
    Label2 = label(Frame1, "Label2", QStringLiteral("CRC Check"), twips(240, 300, 1560, 240));
    txtCRC = output(Frame1, "txtCRC", ValueColour, twips(240, 540, 1560, 360));
    Label3 = label(Frame1, "Label3", QStringLiteral("CRC high"), twips(240, 1020, 720, 240));
    txtCRChigh = output(Frame1, "txtCRChigh", SplitColour, twips(240, 1260, 720, 360));
    Label5 = label(Frame1, "Label5", QStringLiteral("CRC  low"), twips(1080, 1020, 720, 240));
    txtCRClow = output(Frame1, "txtCRClow", SplitColour, twips(1080, 1260, 720, 360));
    cmdCrc = button(Frame1, "cmdCrc", QStringLiteral("CRC計算"), twips(3000, 420, 1320, 495));
    cmdCRCbook
        = button(Frame1, "cmdCRCbook", QStringLiteral("CRC說明"), twips(3000, 1080, 1320, 495));

    Frame2 = frame(this, "Frame2", QStringLiteral("BCC"), twips(120, 2760, 4530, 1200));
    Label7 = label(Frame2, "Label7", QStringLiteral("XOR"), twips(240, 300, 720, 240));
    txtXOR = output(Frame2, "txtXOR", ValueColour, twips(240, 540, 720, 360));
    Label4 = arrow(Frame2, "Label4", twips(1020, 540, 360, 360));
    Label8 = label(Frame2, "Label8", QStringLiteral("ASCII (Hex)"), twips(1440, 300, 1320, 240));
    txtXORhex = output(Frame2, "txtXORhex", SplitColour, twips(1440, 540, 1320, 360));
    cmdXOR = button(Frame2, "cmdXOR", QStringLiteral("XOR計算"), twips(3000, 480, 1320, 495));

    Frame3 = frame(this, "Frame3", QStringLiteral("CheckSum"), twips(120, 4080, 4530, 1200));
    Label11 = label(Frame3, "Label11", QStringLiteral("SUM"), twips(240, 300, 720, 240));
    txtSum = output(Frame3, "txtSum", ValueColour, twips(240, 540, 720, 360));
    Label9 = arrow(Frame3, "Label9", twips(1020, 540, 360, 360));
    Label10 = label(Frame3, "Label10", QStringLiteral("ASCII (Hex)"), twips(1440, 300, 1320, 240));
    txtSumHex = output(Frame3, "txtSumHex", SplitColour, twips(1440, 540, 1320, 360));
    cmdSum = button(Frame3, "cmdSum", QStringLiteral("SUM計算"), twips(3000, 480, 1320, 495));

    nameBy(Label1, CobTxt);
    CobTxt->lineEdit()->setAccessibleName(Label1->text());
    for (const auto &[label, box] :
        {std::pair {Label2, txtCRC}, {Label3, txtCRChigh}, {Label5, txtCRClow}, {Label7, txtXOR},
            {Label8, txtXORhex}, {Label11, txtSum}, {Label10, txtSumHex}})
        nameBy(label, box);
}

void frmCheck::connectHandlers()
{
    QLineEdit *edit = CobTxt->lineEdit();
    // The combo box turns an ended edit whose text matches a list entry into a pick; here only
    // choosing from the list is a pick, so that conversion is cut off.
    disconnect(edit, &QLineEdit::editingFinished, CobTxt, nullptr);
    connect(edit, &QLineEdit::textEdited, this, &frmCheck::CobTxt_Change);
    connect(edit, &QLineEdit::returnPressed, this, &frmCheck::cmdCrc_Click);
    connect(CobTxt, &QComboBox::activated, this, &frmCheck::CobTxt_Click);
    connect(cmdCrc, &QPushButton::clicked, this, &frmCheck::cmdCrc_Click);
    connect(cmdXOR, &QPushButton::clicked, this, &frmCheck::cmdXOR_Click);
    connect(cmdSum, &QPushButton::clicked, this, &frmCheck::cmdSum_Click);
    connect(cmdCRCbook, &QPushButton::clicked, this, &frmCheck::cmdCRCbook_Click);
}

void frmCheck::Form_Load()
{
    MdiChild::frameOf(this)->move(0, 0);
}

void frmCheck::closeEvent(QCloseEvent *event)
{
    event->ignore();
    MdiChild::frameOf(this)->hide();
}

std::optional<quint16> frmCheck::calculate(Checksum::Kind kind)
{
    const QString text = CobTxt->currentText();
    if (text.isEmpty()) {
        MessageBox::error(this, UiTexts::NoData);
        return std::nullopt;
    }
    // The text joins the list before it is checked, so a failing text is kept all the same.
    if (m_cobTxtChanged) {
        m_cobTxtChanged = false;
        CobTxt->addItem(text);
    }
    const std::optional<quint16> value = Checksum::fold(kind, text);
    if (!value)
        MessageBox::error(this, UiTexts::DataError);
    return value;
}

void frmCheck::cmdCrc_Click()
{
    if (const auto crc = calculate(Checksum::Kind::Crc)) {
        txtCRC->setText(Checksum::fourDigits(*crc));
        txtCRChigh->setText(txtCRC->text().left(2));
        txtCRClow->setText(txtCRC->text().right(2));
    }
}

void frmCheck::cmdXOR_Click()
{
    if (const auto value = calculate(Checksum::Kind::Xor)) {
        txtXOR->setText(Checksum::lowByteDigits(*value));
        txtXORhex->setText(Checksum::characterCodes(txtXOR->text()));
    }
}

void frmCheck::cmdSum_Click()
{
    if (const auto sum = calculate(Checksum::Kind::Sum)) {
        txtSum->setText(Checksum::lowByteDigits(*sum));
        txtSumHex->setText(Checksum::characterCodes(txtSum->text()));
    }
}

void frmCheck::cmdCRCbook_Click()
{
    Q_EMIT crcHelpRequested();
}

void frmCheck::CobTxt_Change()
{
    m_cobTxtChanged = true;
    clearOutputs();
}

void frmCheck::CobTxt_Click()
{
    clearOutputs();
}

void frmCheck::clearOutputs()
{
    for (QLineEdit *box : {txtCRC, txtCRChigh, txtCRClow, txtXOR, txtXORhex, txtSum, txtSumHex})
        box->clear();
}
