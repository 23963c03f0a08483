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
    void designTexts_data();
    void designTexts();
    void designAtStart();
    void exampleTextIsADataError();
    void calculations_data();
    void calculations();
    void failures_data();
    void failures();
    void inputLength_data();
    void inputLength();
    void historyAndChangedFlag_data();
    void historyAndChangedFlag();
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

void tst_FrmCheck::designTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    const std::pair<const char *, const char *> rows[]
        = {{"frmCheck", "計算檢查碼"}, {"Label1", "請輸入16進制字串 , 使用\"，\"分隔"},
            {"CobTxt", "例如：41,42,43"}, {"Frame1", "CRC-16"}, {"Frame2", "BCC"},
            {"Frame3", "CheckSum"}, {"Label2", "CRC Check"}, {"Label3", "CRC high"},
            {"Label5", "CRC  low"}, {"Label7", "XOR"}, {"Label4", "→"}, {"Label8", "ASCII (Hex)"},
            {"Label11", "SUM"}, {"Label9", "→"}, {"Label10", "ASCII (Hex)"}, {"cmdCrc", "CRC計算"},
            {"cmdCRCbook", "CRC說明"}, {"cmdXOR", "XOR計算"}, {"cmdSum", "SUM計算"}};
    for (const auto &[name, text] : rows)
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(text);
}

void tst_FrmCheck::designTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QWidget *w = name == m_check->objectName() ? m_check : m_check->findChild<QWidget *>(name);
    QVERIFY(w);
    QString shown = w->windowTitle();
    if (auto *label = qobject_cast<QLabel *>(w))
        shown = label->text();
    else if (auto *frame = qobject_cast<QGroupBox *>(w))
        shown = frame->title();
    else if (auto *button = qobject_cast<QPushButton *>(w))
        shown = button->text();
    else if (auto *combo = qobject_cast<QComboBox *>(w))
        shown = combo->currentText();
    QCOMPARE(shown, text);
}

void tst_FrmCheck::designAtStart()
{
    QCOMPARE(m_check->size(), QSize(318, 359));
    QWidget *sub = MdiChild::frameOf(m_check);
    QVERIFY(qobject_cast<QMdiSubWindow *>(sub));
    QCOMPARE(sub->pos(), QPoint(0, 0));
    QCOMPARE(sub->minimumSize(), sub->maximumSize());
    QVERIFY(!(sub->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(history().isEmpty());
    QCOMPARE(outputs(), QStringList(7, QString()));
    QVERIFY(!m_check->CobTxtChanged());
    QVERIFY(control<QLabel>("Label4")->font().bold());

    const QColor value(255, 224, 192);
    const QColor split(255, 255, 192);
    for (const QString &name : OutputNames) {
        auto *box = m_check->findChild<QLineEdit *>(name);
        const bool whole = name == u"txtCRC" || name == u"txtXOR" || name == u"txtSum";
        QCOMPARE(box->palette().color(QPalette::Base), whole ? value : split);
    }
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
    // 200 bytes FF add up past 7FFF: the sum wraps, its low byte is still right.
    QTest::newRow("200 x FF") << repeated("FF", 200)
                              << QStringList {"3528", "35", "28", "00", "30 ,30", "38", "33 ,38"};
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

void tst_FrmCheck::historyAndChangedFlag_data()
{
    // Steps: "=text" types a text, "crc", "xor" and "sum" click, "#n" picks entry n, "enter" and
    // "keypad" press Enter, "box:text" checks a box's text.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("history");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QStringList>("messages");
    const QString abc = QStringLiteral("41,42,43");
    QTest::newRow("same text, two buttons: added once") << QStringList {"=41,42,43", "crc", "xor",
        "crc"} << QStringList {abc} << false << QStringList();
    QTest::newRow("editing back adds a duplicate")
        << QStringList {"=41,42,43", "crc", "=41", "=41,42,43", "sum"} << QStringList {abc, abc}
        << false << QStringList();
    QTest::newRow("a pick is no edit and empties the outputs") << QStringList {"=41,42,43", "crc",
        "=1234", "xor", "txtXOR:34", "#0", "crc", "txtCRC:8550",
        "#0"} << QStringList {abc, "1234"} << false << QStringList();
    QTest::newRow("edit then pick adds the picked entry")
        << QStringList {"=41,42,43", "crc", "=99", "#0", "sum", "txtSum:C6"}
        << QStringList {abc, abc} << false << QStringList();
    QTest::newRow("an empty text keeps the flag for the next") << QStringList {"=", "sum", "=01",
        "sum", "txtSum:01"} << QStringList {"01"} << false << QStringList {UiTexts::NoData};
    // Enter runs the CRC calculation; the combo box inserts nothing of its own.
    QTest::newRow("Enter") << QStringList {"=41,42,43", "crc", "=1234", "enter", "txtCRC:97AC",
        "txtCRClow:AC", "CobTxt:1234"}
                           << QStringList {abc, "1234"} << false << QStringList();
    QTest::newRow("keypad Enter on a listed text")
        << QStringList {"=41,42,43", "crc", "=1234", "enter", "=41,42,43", "keypad", "txtCRC:8550"}
        << QStringList {abc, "1234", abc} << false << QStringList();
    QTest::newRow("Enter on a bad text: one message") << QStringList {"=41,,42",
        "enter"} << QStringList {"41,,42"} << false << QStringList {UiTexts::DataError};
}

void tst_FrmCheck::historyAndChangedFlag()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, history);
    QFETCH(bool, changed);
    QFETCH(QStringList, messages);
    const QHash<QString, const char *> buttons {
        {u"crc"_qs, "cmdCrc"}, {u"xor"_qs, "cmdXOR"}, {u"sum"_qs, "cmdSum"}};
    for (const QString &step : steps) {
        if (step.startsWith(u'=')) {
            type(step.mid(1));
        } else if (step.startsWith(u'#')) {
            pick(step.mid(1).toInt());
            QCOMPARE(outputs(), QStringList(7, QString()));
        } else if (buttons.contains(step)) {
            click(buttons.value(step));
        } else if (step == u"enter" || step == u"keypad") {
            QTest::keyClick(control("CobTxt"), step == u"enter" ? Qt::Key_Return : Qt::Key_Enter);
        } else {
            const QString name = step.section(u':', 0, 0);
            const QString text = name == u"CobTxt" ? input()->text()
                                                   : control<QLineEdit>(qPrintable(name))->text();
            QCOMPARE(text, step.section(u':', 1));
        }
    }
    QCOMPARE(this->history(), history);
    QCOMPARE(m_check->CobTxtChanged(), changed);
    QCOMPARE(m_boxes->texts(), messages);
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
