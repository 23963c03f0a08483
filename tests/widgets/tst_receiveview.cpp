// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/receiveview.h"

#include "app/designfonts.h"
#include "terminal/receivelog.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <memory>

using Kind = ReceiveFormatter::Kind;

namespace {

// Each step is bytes to append, or "|" for a line break.
void feed(ReceiveLog &log, const QList<QByteArray> &steps)
{
    for (const QByteArray &step : steps) {
        if (step == "|")
            log.addLineBreak();
        else
            log.append(step);
    }
}

QByteArray stream(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + i / 256) & 0xFF);
    return bytes;
}

QString rowsJoined(const ReceiveView &view)
{
    QString all;
    for (int r = 0; r < view.visualRowCount(); ++r)
        all += view.visualRowText(r);
    return all;
}

} // namespace

class tst_ReceiveView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void textIsTheAreaText_data();
    void textIsTheAreaText();
    void wrapsBetweenItemsWithinTheWidth_data();
    void wrapsBetweenItemsWithinTheWidth();
    void selectAllAndCopy_data();
    void selectAllAndCopy();
    void mouseDragCopiesWholeItems_data();
    void mouseDragCopiesWholeItems();
    void doubleClickSelectsOneItem();
    void shiftKeysExtendTheSelection();
    void contextMenuCopiesAndSelectsAll();
    void followsTheEndUntilScrolledAway_data();
    void followsTheEndUntilScrolledAway();
    void resizeRewrapsALongLine_data();
    void resizeRewrapsALongLine();
    void fontChangeRewraps();
    void clearResets();
    void outlivesItsLog();

private:
    ReceiveView *makeView(Kind kind, QSize size = QSize(359, 249));
    void drag(QPoint from, QPoint to);

    std::unique_ptr<ReceiveLog> m_log;
    std::unique_ptr<ReceiveView> m_view;
};

void tst_ReceiveView::initTestCase()
{
    DesignFonts::install();
}

void tst_ReceiveView::init()
{
    m_log = std::make_unique<ReceiveLog>();
    QApplication::clipboard()->clear();
}

void tst_ReceiveView::cleanup()
{
    m_view.reset();
    m_log.reset();
}

ReceiveView *tst_ReceiveView::makeView(Kind kind, QSize size)
{
    m_view = std::make_unique<ReceiveView>(m_log.get(), kind);
    m_view->setFont(DesignFonts::font(DesignFonts::Arial, 9.75));
    m_view->resize(size);
    m_view->show();
    if (!QTest::qWaitForWindowExposed(m_view.get()))
        qWarning("view not exposed");
    return m_view.get();
}

void tst_ReceiveView::drag(QPoint from, QPoint to)
{
    QWidget *viewport = m_view->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, viewport->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
        Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
}

void tst_ReceiveView::textIsTheAreaText_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QList<QByteArray>>("steps");
    QTest::addColumn<QString>("expected");
    // The item texts of single bytes are shown over a pty in the terminal window's test.
    const QList<QByteArray> sends {"\n", "|", "\xFF", "|", "|", "\x7F"};
    QTest::newRow("character breaks") << int(Kind::Character) << sends << u"␊ \r\n· \r\n\r\n␡ "_qs;
    QTest::newRow("decimal breaks") << int(Kind::Decimal) << sends << u"10 \r\n255 \r\n\r\n127 "_qs;
    QTest::newRow("hexadecimal breaks")
        << int(Kind::Hexadecimal) << sends << u"A \r\nFF \r\n\r\n7F "_qs;
    QTest::newRow("break first and last")
        << int(Kind::Hexadecimal) << QList<QByteArray> {"|", "0", "|"} << u"\r\n30 \r\n"_qs;
}

// The rows laid out must add up to exactly the area text: no item lost, doubled or moved
// across a break.
void tst_ReceiveView::textIsTheAreaText()
{
    QFETCH(int, kind);
    QFETCH(QList<QByteArray>, steps);
    QFETCH(QString, expected);
    ReceiveView *view = makeView(Kind(kind));
    feed(*m_log, steps);
    QCOMPARE(view->text(), expected);
    QTRY_VERIFY(view->isLayoutComplete());
    QCOMPARE(rowsJoined(*view), expected);
}

void tst_ReceiveView::wrapsBetweenItemsWithinTheWidth_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("width");
    const std::pair<const char *, Kind> kinds[] {{"character", Kind::Character},
        {"decimal", Kind::Decimal}, {"hexadecimal", Kind::Hexadecimal}};
    for (const auto &[name, kind] : kinds) {
        for (int width : {120, 359, 640})
            QTest::addRow("%s %d", name, width) << int(kind) << width;
    }
}

void tst_ReceiveView::wrapsBetweenItemsWithinTheWidth()
{
    QFETCH(int, kind);
    QFETCH(int, width);
    ReceiveView *view = makeView(Kind(kind), QSize(width, 200));
    const QByteArray bytes = stream(3000);
    // Arriving in uneven pieces, with sends between some of them.
    m_log->append(bytes.first(700));
    m_log->addLineBreak();
    m_log->append(bytes.sliced(700, 1));
    m_log->append(bytes.sliced(701, 1299));
    m_log->addLineBreak();
    m_log->append(bytes.sliced(2000));
    QTRY_VERIFY(view->isLayoutComplete());
    QCOMPARE(rowsJoined(*view), view->text());

    // Items are drawn one by one, each followed by the width of a blank.
    const QFontMetricsF metrics(view->font());
    const auto rowWidth = [&metrics](const QStringList &items) {
        qreal width = 0;
        for (const QString &item : items)
            width += metrics.horizontalAdvance(item) + metrics.horizontalAdvance(u' ');
        return width - metrics.horizontalAdvance(u' ');
    };
    const int available = view->viewport()->width();
    QVERIFY(view->visualRowCount() > 3000 * metrics.horizontalAdvance(u"0 "_qs) / available / 2);
    for (int r = 0; r < view->visualRowCount(); ++r) {
        QString row = view->visualRowText(r);
        const bool hardBreak = row.endsWith(u"\r\n"_qs);
        if (hardBreak)
            row.chop(2);
        QVERIFY2(row.isEmpty() || row.endsWith(u' '), qPrintable(row));
        // Character items may themselves be a blank, so split those by character.
        const auto itemsOf = [kind](const QString &text) {
            QStringList items;
            if (Kind(kind) == Kind::Character) {
                for (qsizetype i = 0; i + 1 < text.size(); i += 2)
                    items << text.mid(i, 1);
            } else {
                items = text.split(u' ', Qt::SkipEmptyParts);
            }
            return items;
        };
        const QStringList items = itemsOf(row);
        QVERIFY2(rowWidth(items) <= available, qPrintable(row));
        // Greedy: a soft wrap happens only when the next item would not have fitted.
        if (!hardBreak && r + 1 < view->visualRowCount()) {
            const QStringList withNext = items + itemsOf(view->visualRowText(r + 1)).mid(0, 1);
            QVERIFY2(rowWidth(withNext) > available - 8, qPrintable(withNext.join(u' ')));
        }
    }
    // Where items are drawn agrees with the rows: inside the viewport, left to right.
    QRectF previous;
    for (qsizetype b = 0; b < 400; ++b) {
        const QRectF rect = view->itemRect(b);
        if (rect.isNull())
            continue;
        QVERIFY(rect.left() >= 0);
        QVERIFY(rect.right() <= available);
        if (!previous.isNull() && rect.top() == previous.top())
            QVERIFY(rect.left() >= previous.right());
        previous = rect;
    }
}

void tst_ReceiveView::selectAllAndCopy_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("expected");
    QTest::newRow("character") << int(Kind::Character) << u"A \r\n␍ ␊ \r\n\r\n  · "_qs;
    QTest::newRow("decimal") << int(Kind::Decimal) << u"65 \r\n13 10 \r\n\r\n32 200 "_qs;
    QTest::newRow("hexadecimal") << int(Kind::Hexadecimal) << u"41 \r\nD A \r\n\r\n20 C8 "_qs;
}

void tst_ReceiveView::selectAllAndCopy()
{
    QFETCH(int, kind);
    QFETCH(QString, expected);
    ReceiveView *view = makeView(Kind(kind));
    feed(*m_log, {"A", "|", "\r\n", "|", "|", " \xC8"});
    QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(view->selectedText(), expected);
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), expected);
}

void tst_ReceiveView::mouseDragCopiesWholeItems_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("fromByte");
    QTest::addColumn<qreal>("fromPart");
    QTest::addColumn<int>("toByte");
    QTest::addColumn<qreal>("toPart");
    QTest::addColumn<QString>("expected");
    // Bytes A B C, a send, then D E F: two lines. Part is where in the item the pointer is.
    const int hex = int(Kind::Hexadecimal);
    QTest::newRow("front of 42 to back of 45")
        << hex << 1 << 0.1 << 4 << 0.9 << u"42 43 \r\n44 45 "_qs;
    QTest::newRow("back of 41 to front of 45")
        << hex << 0 << 0.9 << 4 << 0.1 << u"42 43 \r\n44 "_qs;
    QTest::newRow("backwards") << hex << 4 << 0.9 << 1 << 0.1 << u"42 43 \r\n44 45 "_qs;
    QTest::newRow("within one item") << hex << 2 << 0.1 << 2 << 0.4 << QString();
    QTest::newRow("decimal") << int(Kind::Decimal) << 1 << 0.2 << 5 << 0.8
                             << u"66 67 \r\n68 69 70 "_qs;
    QTest::newRow("character") << int(Kind::Character) << 2 << 0.0 << 3 << 1.0 << u"C \r\nD "_qs;
}

void tst_ReceiveView::mouseDragCopiesWholeItems()
{
    QFETCH(int, kind);
    QFETCH(int, fromByte);
    QFETCH(qreal, fromPart);
    QFETCH(int, toByte);
    QFETCH(qreal, toPart);
    QFETCH(QString, expected);
    ReceiveView *view = makeView(Kind(kind));
    feed(*m_log, {"ABC", "|", "DEF"});
    QTRY_VERIFY(view->isLayoutComplete());
    const auto pointIn = [view](int byte, qreal part) {
        const QRectF rect = view->itemRect(byte);
        return QPointF(rect.left() + part * rect.width(), rect.center().y()).toPoint();
    };
    drag(pointIn(fromByte, fromPart), pointIn(toByte, toPart));
    QCOMPARE(view->selectedText(), expected);
    view->copy();
    QCOMPARE(QApplication::clipboard()->text(), expected);
}

void tst_ReceiveView::doubleClickSelectsOneItem()
{
    ReceiveView *view = makeView(Kind::Decimal);
    m_log->append("\x01\xFE\x02");
    QTRY_VERIFY(view->isLayoutComplete());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->itemRect(1).center().toPoint());
    QCOMPARE(view->selectedText(), u"254 "_qs);
}

void tst_ReceiveView::shiftKeysExtendTheSelection()
{
    ReceiveView *view = makeView(Kind::Hexadecimal);
    feed(*m_log, {"ABC", "|", "DEF"});
    QTRY_VERIFY(view->isLayoutComplete());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
        QPoint(int(view->itemRect(0).left()) + 1, int(view->itemRect(0).center().y())));
    QVERIFY(!view->hasSelectedText());
    QTest::keyClick(view, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(view, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(view->selectedText(), u"41 42 "_qs);
    QTest::keyClick(view, Qt::Key_End, Qt::ShiftModifier);
    QCOMPARE(view->selectedText(), u"41 42 43 "_qs);
    QTest::keyClick(view, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(view->selectedText(), u"41 42 43 \r\n"_qs);
    QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(view->selectedText(), u"41 42 43 \r\n44 45 46 "_qs);
    QTest::keyClick(view, Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(view->selectedText(), u"41 42 43 \r\n44 45 "_qs);
    QTest::keyClick(view, Qt::Key_Home, Qt::ShiftModifier | Qt::ControlModifier);
    QVERIFY(!view->hasSelectedText());
    QTest::keyClick(view, Qt::Key_End, Qt::ShiftModifier | Qt::ControlModifier);
    QCOMPARE(view->selectedText(), view->text());
}

void tst_ReceiveView::contextMenuCopiesAndSelectsAll()
{
    ReceiveView *view = makeView(Kind::Hexadecimal);
    feed(*m_log, {"\x10\x20", "|", "\x30"});
    const auto runMenu = [view](const QString &caption, bool *enabled) {
        QTimer::singleShot(0, view, [caption, enabled] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QStringList captions;
            QAction *wanted = nullptr;
            for (QAction *action : menu->actions()) {
                captions << action->text();
                if (action->text() == caption)
                    wanted = action;
            }
            QVERIFY2(captions.contains(ReceiveView::CopyCaption), qPrintable(captions.join(',')));
            QVERIFY(captions.contains(ReceiveView::SelectAllCaption));
            QVERIFY(wanted);
            *enabled = wanted->isEnabled();
            if (*enabled)
                wanted->trigger();
            menu->close();
        });
        const QPoint pos = view->viewport()->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, view->viewport()->mapToGlobal(pos));
        QApplication::sendEvent(view->viewport(), &event);
    };

    bool enabled = true;
    runMenu(ReceiveView::CopyCaption, &enabled);
    QVERIFY(!enabled);
    runMenu(ReceiveView::SelectAllCaption, &enabled);
    QVERIFY(enabled);
    QCOMPARE(view->selectedText(), u"10 20 \r\n30 "_qs);
    runMenu(ReceiveView::CopyCaption, &enabled);
    QVERIFY(enabled);
    QCOMPARE(QApplication::clipboard()->text(), u"10 20 \r\n30 "_qs);
}

void tst_ReceiveView::followsTheEndUntilScrolledAway_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("page up") << u"pageUp"_qs;
    QTest::newRow("arrow up") << u"up"_qs;
    QTest::newRow("wheel") << u"wheel"_qs;
    QTest::newRow("ctrl+home") << u"top"_qs;
}

void tst_ReceiveView::followsTheEndUntilScrolledAway()
{
    QFETCH(QString, how);
    ReceiveView *view = makeView(Kind::Decimal, QSize(200, 120));
    QScrollBar *bar = view->verticalScrollBar();
    QVERIFY(bar->isVisible());
    const auto addLines = [this](int count, int first) {
        for (int i = 0; i < count; ++i) {
            m_log->append(QByteArray(1, char(first + i)));
            m_log->addLineBreak();
        }
    };
    addLines(40, 0);
    QTRY_VERIFY(bar->maximum() > 20);
    QTRY_COMPARE(bar->value(), bar->maximum());
    QVERIFY(view->isFollowingEnd());

    if (how == u"pageUp") {
        QTest::keyClick(view, Qt::Key_PageUp);
    } else if (how == u"up") {
        QTest::keyClick(view, Qt::Key_Up);
    } else if (how == u"top") {
        QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
    } else {
        const QPoint pos = view->viewport()->rect().center();
        QWheelEvent wheel(pos, view->viewport()->mapToGlobal(pos), QPoint(), QPoint(0, 120),
            Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view->viewport(), &wheel);
    }
    const int scrolledTo = bar->value();
    QVERIFY(scrolledTo < bar->maximum());
    QVERIFY(!view->isFollowingEnd());
    const QRectF firstShown = view->itemRect(scrolledTo);

    const int oldMaximum = bar->maximum();
    addLines(30, 40);
    QTRY_COMPARE(bar->maximum(), oldMaximum + 30);
    QCOMPARE(bar->value(), scrolledTo);
    QCOMPARE(view->itemRect(scrolledTo), firstShown);

    QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(bar->value(), bar->maximum());
    QVERIFY(view->isFollowingEnd());
    addLines(10, 70);
    QTRY_COMPARE(bar->maximum(), oldMaximum + 40);
    QTRY_COMPARE(bar->value(), bar->maximum());
    // The last line received is shown, above the empty row its line break opened.
    const int lastShown = bar->value() + bar->pageStep() - 1;
    QCOMPARE(lastShown, view->visualRowCount() - 1);
    QCOMPARE(view->visualRowText(lastShown), QString());
    QCOMPARE(view->visualRowText(lastShown - 1), u"79 \r\n"_qs);
}

void tst_ReceiveView::resizeRewrapsALongLine_data()
{
    QTest::addColumn<bool>("following");
    QTest::newRow("following the end") << true;
    QTest::newRow("scrolled into the middle") << false;
}

// A line of several megabytes is wrapped again after a resize, step by step while the event loop
// runs, and the view stays where the user had it.
void tst_ReceiveView::resizeRewrapsALongLine()
{
    QFETCH(bool, following);
    ReceiveView *view = makeView(Kind::Hexadecimal, QSize(359, 249));
    const QByteArray bytes = stream(5 * 1024 * 1024);
    for (qsizetype at = 0; at < bytes.size(); at += 64 * 1024)
        m_log->append(QByteArrayView(bytes).sliced(at, 64 * 1024));
    QTRY_VERIFY(view->isLayoutComplete());
    QScrollBar *bar = view->verticalScrollBar();
    QTRY_VERIFY(bar->maximum() > 100000);
    QCOMPARE(bar->value(), bar->maximum());

    const qsizetype middleByte = bytes.size() / 2;
    if (!following) {
        QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
        const int rowOfMiddle = int(middleByte * bar->maximum() / bytes.size());
        bar->setValue(rowOfMiddle);
        QVERIFY(!view->isFollowingEnd());
    }
    const QString topRowBefore = view->visualRowText(bar->value());
    const int rowsBefore = view->visualRowCount();

    view->resize(540, 249);
    QTRY_VERIFY_WITH_TIMEOUT(view->isLayoutComplete(), 20000);
    QTRY_VERIFY(view->visualRowCount() < rowsBefore * 359 / 540 + 2);
    QCOMPARE(rowsJoined(*view), view->text());
    if (following) {
        QTRY_COMPARE(bar->value(), bar->maximum());
        QVERIFY(view->isFollowingEnd());
    } else {
        // The first item of the old top row is still on the top row.
        QVERIFY(!view->isFollowingEnd());
        QVERIFY(view->visualRowText(bar->value()).contains(topRowBefore.left(6)));
        QVERIFY(bar->value() < bar->maximum());
    }
}

void tst_ReceiveView::fontChangeRewraps()
{
    ReceiveView *view = makeView(Kind::Character, QSize(200, 200));
    m_log->append(stream(1000));
    QTRY_VERIFY(view->isLayoutComplete());
    const int rowsBefore = view->visualRowCount();
    view->setFont(DesignFonts::font(DesignFonts::Arial, 19.5));
    QTRY_VERIFY(view->isLayoutComplete());
    QVERIFY(view->visualRowCount() > rowsBefore * 3 / 2);
    QCOMPARE(rowsJoined(*view), view->text());
}

void tst_ReceiveView::clearResets()
{
    ReceiveView *view = makeView(Kind::Hexadecimal, QSize(200, 120));
    for (int i = 0; i < 50; ++i) {
        m_log->append("\x55\xAA");
        m_log->addLineBreak();
    }
    QScrollBar *bar = view->verticalScrollBar();
    QTRY_VERIFY(bar->maximum() > 0);
    view->selectAll();
    QTest::keyClick(view, Qt::Key_PageUp);
    QVERIFY(!view->isFollowingEnd());

    m_log->clear();
    QCOMPARE(view->text(), QString());
    QVERIFY(!view->hasSelectedText());
    QCOMPARE(view->visualRowCount(), 1);
    QCOMPARE(view->visualRowText(0), QString());
    QCOMPARE(bar->maximum(), 0);
    QVERIFY(view->isFollowingEnd());

    m_log->append("\x0F");
    QTRY_VERIFY(view->isLayoutComplete());
    QCOMPARE(view->text(), u"F "_qs);
    QCOMPARE(rowsJoined(*view), u"F "_qs);
}

void tst_ReceiveView::outlivesItsLog()
{
    ReceiveView *view = makeView(Kind::Decimal);
    feed(*m_log, {"ABC", "|", "DEF"});
    view->selectAll();
    m_log.reset();
    QCOMPARE(view->text(), QString());
    QCOMPARE(view->selectedText(), QString());
    QCOMPARE(view->visualRowCount(), 1);
    QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    view->viewport()->repaint();
    QCOMPARE(view->selectedText(), QString());
}

QTEST_MAIN(tst_ReceiveView)
#include "tst_receiveview.moc"
