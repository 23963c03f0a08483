// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmvedira.h"
#include "app/mdichild.h"
#include "app/uitexts.h"
#include "tests/support/messageboxrecorder.h"
#include "tools/frmcheck.h"
#include "tools/frmcrcbook.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTest>

class tst_FrmCheck : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void designAtStart();
    void exampleTextIsADataError();
    void calculations_data();
    void calculations();
    void failures_data();
    void failures();
    void longFrameSumSucceeds();
    void inputLength_data();
    void inputLength();
    void emptyInputKeepsTheChangedFlag();
    void sameTextTwoButtonsAddsOnce();
    void editingBackAddsADuplicate();
    void pickEmptiesOutputsAndIsNoEdit();
    void editThenPickAddsThePickedEntry();
    void enterRunsTheCrc();
    void closeHidesAndShowKeepsEverything();
    void crcHelpIsSingle();

private:
    frmCheck *openCheck();
    template<class W = QWidget> W *control(const char *name) const;
    QLineEdit *input() const { return control<QComboBox>("CobTxt")->lineEdit(); }
    void type(const QString &text);
    void click(const char *button);
    void pick(int row);
    QStringList history() const;
    QStringList outputs() const;

    frmVedira *m_frame = nullptr;
    frmCheck *m_check = nullptr;
    std::unique_ptr<MessageBoxRecorder> m_boxes;
};

namespace {
const QStringList OutputNames {QStringLiteral("txtCRC"), QStringLiteral("txtCRChigh"),
    QStringLiteral("txtCRClow"), QStringLiteral("txtXOR"), QStringLiteral("txtXORhex"),
    QStringLiteral("txtSum"), QStringLiteral("txtSumHex")};

QString repeated(const QString &item, int count)
{
    return QStringList(count, item).join(u',');
}
} // namespace

void tst_FrmCheck::init()
{
    m_boxes = std::make_unique<MessageBoxRecorder>();
    m_frame = new frmVedira;
    m_frame->resize(1000, 760);
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
    m_check = openCheck();
    QVERIFY(m_check);
}

void tst_FrmCheck::cleanup()
{
    delete m_frame;
    m_frame = nullptr;
    m_check = nullptr;
    m_boxes.reset();
}

frmCheck *tst_FrmCheck::openCheck()
{
    m_frame->findChild<QAction *>(QStringLiteral("memCheck"))->trigger();
    return m_frame->findChild<frmCheck *>(QStringLiteral("frmCheck"));
}

template<class W> W *tst_FrmCheck::control(const char *name) const
{
    return m_check->findChild<W *>(QLatin1String(name));
}

// Keys go to the combo box, which has the focus and hands them on to its line edit.
void tst_FrmCheck::type(const QString &text)
{
    auto *combo = control<QComboBox>("CobTxt");
    QTest::keyClick(combo, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(combo, Qt::Key_Backspace);
    for (QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(combo, c.toLatin1());
        } else {
            // Chinese and full-width characters arrive through the input method.
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QCoreApplication::sendEvent(combo, &commit);
        }
    }
    QCOMPARE(input()->text(), text);
}

void tst_FrmCheck::click(const char *button)
{
    QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
}

// Chooses an entry the way a user does: open the list, move to the entry, press Enter.
void tst_FrmCheck::pick(int row)
{
    auto *combo = control<QComboBox>("CobTxt");
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    QTRY_VERIFY(view->isVisible());
    view->setCurrentIndex(view->model()->index(row, 0));
    QTest::keyClick(view, Qt::Key_Return);
    QTRY_VERIFY(!view->isVisible());
    QCOMPARE(input()->text(), combo->itemText(row));
}

QStringList tst_FrmCheck::history() const
{
    auto *combo = control<QComboBox>("CobTxt");
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

QStringList tst_FrmCheck::outputs() const
{
    QStringList texts;
    for (const QString &name : OutputNames)
        texts.append(m_check->findChild<QLineEdit *>(name)->text());
    return texts;
}

void tst_FrmCheck::designAtStart()
{
    QCOMPARE(m_check->windowTitle(), QStringLiteral("計算檢查碼"));
    QCOMPARE(m_check->size(), QSize(318, 359));
    QWidget *sub = MdiChild::frameOf(m_check);
    QVERIFY(qobject_cast<QMdiSubWindow *>(sub));
    QCOMPARE(sub->pos(), QPoint(0, 0));
    QCOMPARE(sub->minimumSize(), sub->maximumSize());
    QVERIFY(!(sub->windowFlags() & Qt::WindowMaximizeButtonHint));

    QCOMPARE(
        control<QLabel>("Label1")->text(), QStringLiteral("請輸入16進制字串 , 使用\"，\"分隔"));
    QCOMPARE(input()->text(), QStringLiteral("例如：41,42,43"));
    QVERIFY(history().isEmpty());
    QCOMPARE(outputs(), QStringList(7, QString()));
    QVERIFY(!m_check->CobTxtChanged());

    const QList<std::pair<const char *, QString>> captions {
        {"Frame1", "CRC-16"}, {"Frame2", "BCC"}, {"Frame3", "CheckSum"}};
    for (const auto &[name, title] : captions)
        QCOMPARE(control<QGroupBox>(name)->title(), title);
    const QList<std::pair<const char *, QString>> texts {{"Label2", "CRC Check"},
        {"Label3", "CRC high"}, {"Label5", "CRC  low"}, {"Label7", "XOR"}, {"Label4", "→"},
        {"Label8", "ASCII (Hex)"}, {"Label11", "SUM"}, {"Label9", "→"}, {"Label10", "ASCII (Hex)"}};
    for (const auto &[name, text] : texts)
        QCOMPARE(control<QLabel>(name)->text(), text);
    const QList<std::pair<const char *, QString>> buttons {{"cmdCrc", "CRC計算"},
        {"cmdCRCbook", "CRC說明"}, {"cmdXOR", "XOR計算"}, {"cmdSum", "SUM計算"}};
    for (const auto &[name, text] : buttons)
        QCOMPARE(control<QPushButton>(name)->text(), text);
    QVERIFY(control<QLabel>("Label4")->font().bold());

    const QColor value(255, 224, 192);
    const QColor split(255, 255, 192);
    for (const QString &name : OutputNames) {
        auto *box = m_check->findChild<QLineEdit *>(name);
        const bool whole = name == u"txtCRC" || name == u"txtXOR" || name == u"txtSum";
        QCOMPARE(box->palette().color(QPalette::Base), whole ? value : split);
    }

    // Top to bottom in the design's order.
    const QList<const char *> order {"Label1", "CobTxt", "Frame1", "Frame2", "Frame3"};
    for (qsizetype i = 1; i < order.size(); ++i)
        QVERIFY(control(order[i - 1])->geometry().bottom() < control(order[i])->geometry().top());
    QVERIFY(control("Frame3")->geometry().bottom() < m_check->height());
    QVERIFY(control("txtCRC")->geometry().bottom() < control("txtCRChigh")->geometry().top());
    QVERIFY(control("txtCRChigh")->geometry().right() < control("txtCRClow")->geometry().left());
    QVERIFY(control("cmdCrc")->geometry().bottom() < control("cmdCRCbook")->geometry().top());
    QVERIFY(control("txtCRClow")->geometry().right() < control("cmdCrc")->geometry().left());
    QVERIFY(control("txtXOR")->geometry().right() < control("Label4")->geometry().left());
    QVERIFY(control("Label4")->geometry().right() < control("txtXORhex")->geometry().left());
}

void tst_FrmCheck::exampleTextIsADataError()
{
    for (const char *button : {"cmdCrc", "cmdXOR", "cmdSum"}) {
        click(button);
        QCOMPARE(m_boxes->boxes().size(), 1);
        const MessageBox::Request box = m_boxes->boxes().first();
        QCOMPARE(box.title, QStringLiteral("錯誤"));
        QCOMPARE(box.text, QStringLiteral("資料錯誤"));
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        m_boxes->clear();
    }
    QVERIFY(history().isEmpty());
    QVERIFY(!m_check->CobTxtChanged());
    QCOMPARE(outputs(), QStringList(7, QString()));
}

void tst_FrmCheck::calculations_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    // The design's worked results.
    QTest::newRow("01,03,00,00,00,01")
        << "01,03,00,00,00,01" << QStringList {"0A84", "0A", "84", "03", "30 ,33", "05", "30 ,35"};
    QTest::newRow("41,42,43") << "41,42,43"
                              << QStringList {"8550", "85", "50", "40", "34 ,30", "C6", "43 ,36"};
    QTest::newRow("31..39") << "31,32,33,34,35,36,37,38,39"
                            << QStringList {"4B37", "4B", "37", "31", "33 ,31", "DD", "44 ,44"};
    QTest::newRow("1234") << "1234"
                          << QStringList {"97AC", "97", "AC", "34", "33 ,34", "34", "33 ,34"};
    QTest::newRow("ff") << "ff" << QStringList {"00FF", "00", "FF", "FF", "46 ,46", "FF", "46 ,46"};
    QTest::newRow("FFFF,1") << "FFFF,1"
                            << QStringList {"C0C1", "C0", "C1", "FE", "46 ,45", "00", "30 ,30"};
    QTest::newRow("128 x FF") << repeated("FF", 128)
                              << QStringList {"8FFE", "8F", "FE", "00", "30 ,30", "80", "38 ,30"};
    QTest::newRow("129 x FF") << repeated("FF", 129)
                              << QStringList {"C04E", "C0", "4E", "FF", "46 ,46", "7F", "37 ,46"};
    QTest::newRow("blanks around items")
        << "41, 42 ,43" << QStringList {"8550", "85", "50", "40", "34 ,30", "C6", "43 ,36"};
}

void tst_FrmCheck::calculations()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);

    type(text);
    click("cmdCrc");
    click("cmdXOR");
    click("cmdSum");
    QCOMPARE(m_boxes->texts(), QStringList());
    QCOMPARE(outputs(), expected);
    QCOMPARE(history(), QStringList {text});
}

void tst_FrmCheck::failures_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");

    QTest::newRow("comma at the end") << "41,42," << UiTexts::DataError;
    QTest::newRow("comma at the start") << ",41" << UiTexts::DataError;
    QTest::newRow("empty item") << "41,,42" << UiTexts::DataError;
    QTest::newRow("full-width comma") << "41，42" << UiTexts::DataError;
    QTest::newRow("above FFFF") << "10000" << UiTexts::DataError;
    QTest::newRow("0x prefix") << "0x41" << UiTexts::DataError;
    QTest::newRow("blank inside an item") << "4 1" << UiTexts::DataError;
    QTest::newRow("empty") << "" << UiTexts::NoData;
}

void tst_FrmCheck::failures()
{
    QFETCH(QString, text);
    QFETCH(QString, message);

    type(text);
    for (const char *button : {"cmdCrc", "cmdXOR", "cmdSum"})
        click(button);
    QCOMPARE(m_boxes->texts(), QStringList(3, message));
    QCOMPARE(outputs(), QStringList(7, QString()));
    // A failing edited text joins the list all the same; an empty one never does and leaves
    // the flag set for the next text.
    QCOMPARE(history(), text.isEmpty() ? QStringList() : QStringList {text});
    QCOMPARE(m_check->CobTxtChanged(), text.isEmpty());
}

void tst_FrmCheck::longFrameSumSucceeds()
{
    // 200 bytes FF add up past 7FFF: the sum wraps, its low byte is still right.
    type(repeated("FF", 200));
    click("cmdCrc");
    click("cmdXOR");
    click("cmdSum");
    QVERIFY(m_boxes->texts().isEmpty());
    QCOMPARE(outputs(), (QStringList {"3528", "35", "28", "00", "30 ,30", "38", "33 ,38"}));
}

void tst_FrmCheck::inputLength_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("crc");

    const QString longest = repeated("0", 16383);
    QTest::newRow("32765 characters") << longest << "FFE4";
    QTest::newRow("32766 characters") << QString(longest + u'0') << QString();
}

void tst_FrmCheck::inputLength()
{
    QFETCH(QString, text);
    QFETCH(QString, crc);

    // Pasting is an edit as much as typing.
    input()->selectAll();
    input()->insert(text);
    QCOMPARE(input()->text().size(), text.size());
    QVERIFY(m_check->CobTxtChanged());
    click("cmdCrc");
    QCOMPARE(control<QLineEdit>("txtCRC")->text(), crc);
    QCOMPARE(m_boxes->texts(), crc.isEmpty() ? QStringList {UiTexts::DataError} : QStringList());
    QCOMPARE(history().size(), 1);
}

void tst_FrmCheck::emptyInputKeepsTheChangedFlag()
{
    type(QString());
    QVERIFY(m_check->CobTxtChanged());
    click("cmdSum");
    QCOMPARE(m_boxes->texts(), QStringList {UiTexts::NoData});
    QVERIFY(m_check->CobTxtChanged());
    QVERIFY(history().isEmpty());

    QTest::keyClicks(control("CobTxt"), QStringLiteral("01"));
    click("cmdSum");
    QCOMPARE(history(), QStringList {"01"});
    QCOMPARE(control<QLineEdit>("txtSum")->text(), QStringLiteral("01"));
}

void tst_FrmCheck::sameTextTwoButtonsAddsOnce()
{
    type(QStringLiteral("41,42,43"));
    click("cmdCrc");
    click("cmdXOR");
    click("cmdCrc");
    QCOMPARE(history(), QStringList {"41,42,43"});
    QVERIFY(!m_check->CobTxtChanged());
}

void tst_FrmCheck::editingBackAddsADuplicate()
{
    type(QStringLiteral("41,42,43"));
    click("cmdCrc");
    type(QStringLiteral("41"));
    type(QStringLiteral("41,42,43"));
    click("cmdSum");
    QCOMPARE(history(), (QStringList {"41,42,43", "41,42,43"}));
}

void tst_FrmCheck::pickEmptiesOutputsAndIsNoEdit()
{
    type(QStringLiteral("41,42,43"));
    click("cmdCrc");
    type(QStringLiteral("1234"));
    click("cmdXOR");
    QCOMPARE(control<QLineEdit>("txtXOR")->text(), QStringLiteral("34"));

    pick(0);
    QCOMPARE(outputs(), QStringList(7, QString()));
    QVERIFY(!m_check->CobTxtChanged());
    click("cmdCrc");
    QCOMPARE(control<QLineEdit>("txtCRC")->text(), QStringLiteral("8550"));
    QCOMPARE(history(), (QStringList {"41,42,43", "1234"}));

    // Picking the entry already shown empties the boxes too.
    pick(0);
    QCOMPARE(outputs(), QStringList(7, QString()));
}

void tst_FrmCheck::editThenPickAddsThePickedEntry()
{
    type(QStringLiteral("41,42,43"));
    click("cmdCrc");
    type(QStringLiteral("99"));
    pick(0);
    QVERIFY(m_check->CobTxtChanged());
    click("cmdSum");
    QCOMPARE(history(), (QStringList {"41,42,43", "41,42,43"}));
    QCOMPARE(control<QLineEdit>("txtSum")->text(), QStringLiteral("C6"));
}

void tst_FrmCheck::enterRunsTheCrc()
{
    type(QStringLiteral("41,42,43"));
    click("cmdCrc");
    type(QStringLiteral("1234"));
    QTest::keyClick(control("CobTxt"), Qt::Key_Return);
    QCOMPARE(control<QLineEdit>("txtCRC")->text(), QStringLiteral("97AC"));
    QCOMPARE(control<QLineEdit>("txtCRClow")->text(), QStringLiteral("AC"));
    QCOMPARE(history(), (QStringList {"41,42,43", "1234"}));
    QCOMPARE(input()->text(), QStringLiteral("1234"));
    QVERIFY(m_boxes->texts().isEmpty());

    // The keypad's Enter too, and an entered text that is already listed is no pick.
    type(QStringLiteral("41,42,43"));
    QTest::keyClick(control("CobTxt"), Qt::Key_Enter);
    QCOMPARE(control<QLineEdit>("txtCRC")->text(), QStringLiteral("8550"));
    QCOMPARE(history(), (QStringList {"41,42,43", "1234", "41,42,43"}));

    // One Enter, one calculation, one message; the combo box inserts nothing of its own.
    type(QStringLiteral("41,,42"));
    QTest::keyClick(control("CobTxt"), Qt::Key_Return);
    QCOMPARE(m_boxes->texts(), QStringList {UiTexts::DataError});
    QCOMPARE(history(), (QStringList {"41,42,43", "1234", "41,42,43", "41,,42"}));
}

void tst_FrmCheck::closeHidesAndShowKeepsEverything()
{
    type(QStringLiteral("41,42,43"));
    click("cmdCrc");
    type(QStringLiteral("0041"));
    click("cmdXOR");
    QWidget *sub = MdiChild::frameOf(m_check);
    sub->move(40, 70);
    const QStringList before = outputs();

    QPointer<frmCheck> check = m_check;
    QVERIFY(sub->close() == false);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(check);
    QVERIFY(!sub->isVisible());

    QCOMPARE(openCheck(), check.data());
    QVERIFY(sub->isVisible());
    QCOMPARE(m_frame->findChildren<frmCheck *>().size(), 1);
    QCOMPARE(sub->pos(), QPoint(40, 70));
    QCOMPARE(input()->text(), QStringLiteral("0041"));
    QCOMPARE(history(), (QStringList {"41,42,43", "0041"}));
    QCOMPARE(outputs(), before);
    QCOMPARE(control<QLineEdit>("txtXORhex")->text(), QStringLiteral("34 ,31"));
    QVERIFY(!m_check->CobTxtChanged());
}

void tst_FrmCheck::crcHelpIsSingle()
{
    for (int i = 0; i < 3; ++i)
        click("cmdCRCbook");
    QCOMPARE(m_frame->findChildren<frmCRCbook *>().size(), 1);
    QPointer<frmCRCbook> book = m_frame->findChild<frmCRCbook *>();
    QWidget *bookFrame = MdiChild::frameOf(book);
    QVERIFY(bookFrame->isVisible());
    QCOMPARE(m_frame->mdiArea()->activeSubWindow(), bookFrame);

    // Brought forward again from behind the calculator.
    m_frame->mdiArea()->setActiveSubWindow(
        qobject_cast<QMdiSubWindow *>(MdiChild::frameOf(m_check)));
    click("cmdCRCbook");
    QCOMPARE(m_frame->mdiArea()->activeSubWindow(), bookFrame);

    // Hiding the calculator leaves the help open.
    MdiChild::frameOf(m_check)->close();
    QVERIFY(bookFrame->isVisible());

    // Closing the help destroys it; the next click makes a new one.
    openCheck();
    bookFrame->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!book);
    QVERIFY(m_frame->findChildren<frmCRCbook *>().isEmpty());
    click("cmdCRCbook");
    QCOMPARE(m_frame->findChildren<frmCRCbook *>().size(), 1);
    QVERIFY(MdiChild::frameOf(m_frame->findChild<frmCRCbook *>())->isVisible());
}

QTEST_MAIN(tst_FrmCheck)
#include "tst_frmcheck.moc"
