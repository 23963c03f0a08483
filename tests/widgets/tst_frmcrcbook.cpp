// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/frmcrcbook.h"

#include "app/designfonts.h"

#include <QLabel>
#include <QTest>

class tst_FrmCRCbook : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { DesignFonts::install(); }
    void window();
    void labels_data();
    void labels();
};

void tst_FrmCRCbook::window()
{
    frmCRCbook book;
    QCOMPARE(book.windowTitle(), QStringLiteral("CRC說明"));
    QCOMPARE(book.size(), QSize(401, 215));
    QCOMPARE(book.minimumSize(), book.maximumSize());
}

void tst_FrmCRCbook::labels_data()
{
    QTest::addColumn<QString>("text");
    // Texts exactly as designed: blanks, the ASCII tilde, full-width punctuation.
    QTest::newRow("Label1") << "CRC-check 算法如下 :";
    QTest::newRow("Label2") << "1. 令16-bits暫存器 CRC=FFFF (Hex)。";
    QTest::newRow("Label3") << "2. 第一個8-bit byte值與CRC暫存器做 Xor，將結果存入CRC暫存器內。";
    QTest::newRow("Label4") << "3. CRC暫存器右移一位 bit，然後將 0 填入至高位元。";
    QTest::newRow("Label5") << "4. 檢查右移的值如果是 0，則將新值放入CRC暫存器內，否則將新值";
    QTest::newRow("Label8") << "與A001(Hex)做 Xor，將其結果存入CRC暫存器內。";
    QTest::newRow("Label6") << "5. 重複步驟 3~4，直到 8個 bit 全部運算完成。";
    QTest::newRow("Label7") << "6. 重複步驟 2~5，取下一個 8-bit 訊息資料做運算，直到所有訊息資料";
    QTest::newRow("Label9") << "運算完成，即是CRC的檢查碼。";
}

void tst_FrmCRCbook::labels()
{
    QFETCH(QString, text);

    frmCRCbook book;
    book.show();
    QVERIFY(QTest::qWaitForWindowExposed(&book));
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    auto *label = book.findChild<QLabel *>(name);
    QVERIFY(label);
    QCOMPARE(label->text(), text);
    // The whole line shows, with the installed look-alike fonts too.
    QVERIFY(label->geometry().right() < book.width());
    QVERIFY2(label->fontMetrics().horizontalAdvance(text) <= label->width(),
        qPrintable(QFontInfo(label->font()).family()));
    QCOMPARE(label->font().pixelSize(), 13); // 9.75 points at 96 dots per inch

    const QColor blue(0, 0, 255);
    const bool isTitle = name == u"Label1";
    QCOMPARE(label->palette().color(QPalette::WindowText) == blue, isTitle);
}

QTEST_MAIN(tst_FrmCRCbook)
#include "tst_frmcrcbook.moc"
