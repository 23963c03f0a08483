// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/frameclock.h"
#include "terminal/receivecopy.h"
#include "terminal/receiveview.h"
#include "terminal/receiveviewaccessible.h"

#include "tests/support/addressspacelimit.h"
#include "tests/support/messageboxrecorder.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QPaintEvent>
#include <QProgressDialog>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

class tst_ReceiveView : public QObject
{
    Q_OBJECT
    FrameClock m_frames;
    std::unique_ptr<ReceiveLog> m_log;
    std::unique_ptr<ReceiveView> m_view;
    QRegion m_painted; // by the paints of the widgets this filters

    // Each step is bytes to append, or "|" for a line break.
    void feed(const QList<QByteArray> &steps)
    {
        for (const QByteArray &step : steps)
            step == "|" ? m_log->addLineBreak() : m_log->append(step);
    }
    // The point a fraction into a byte's item: 1.1 is a tenth into byte 1's.
    QPoint at(qreal place) const
    {
        const QRectF r = m_view->itemRect(qsizetype(place));
        return QPointF(r.left() + (place - int(place)) * r.width(), r.center().y()).toPoint();
    }
    QRect place(qsizetype byte) const { return m_view->itemRect(byte).toAlignedRect(); }
    // An item's place in a whole paint: highlighted or not, the glyph lighter or darker.
    QString shown(QRect cell) const
    {
        const QImage shot = m_view->viewport()->grab().toImage();
        const QRect item = cell.adjusted(2, 2, -2, -2);
        const QRgb corner = shot.pixel(item.topLeft()); // the background under the glyph
        int lighter = 0;
        for (int y = item.top(); y <= item.bottom(); ++y)
            for (int x = item.left(); x <= item.right(); ++x)
                lighter += qBound(-1, qGray(shot.pixel(x, y)) - qGray(corner), 1);
        const bool marked = corner == m_view->palette().color(QPalette::Highlight).rgb();
        const char *glyph = lighter > 0 ? "light" : lighter < 0 ? "dark" : "blank";
        return QLatin1String(marked ? "marked " : "plain ") + glyph;
    }
    // Whether the blank that stands for the line break after 43 is marked.
    bool breakMarked() const
    {
        const QRectF third = m_view->itemRect(2), before = m_view->itemRect(1);
        const qreal advance = third.left() - before.left(), gap = third.left() - before.right();
        const QPoint blank(third.left() + advance + gap / 2, third.center().y()); // its middle
        return m_view->viewport()->grab().toImage().pixelColor(blank)
            == m_view->palette().color(QPalette::Highlight);
    }
    // Laid out to the last item: it has a place on screen.
    bool laidOut() const { return !m_view->itemRect(m_log->byteCount() - 1).isEmpty(); }
    bool screenIsPainted() const // no stale pixels left by a partial repaint
    {
        const QImage shown = m_view->screen()->grabWindow(m_view->winId()).toImage();
        return shown == m_view->grab().toImage().convertToFormat(shown.format());
    }
    static QByteArray everyByteMixed() // 64 KB, narrow and wide items mixed
    {
        QByteArray bytes(64 * 1024, '\0');
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = char(i * 7 + i / 256);
        return bytes;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            m_painted += static_cast<QPaintEvent *>(event)->region();
        return QObject::eventFilter(watched, event);
    }

private Q_SLOTS:
    void initTestCase() { ReceiveViewAccessible::installFactory(); }
    void init()
    {
        m_log = std::make_unique<ReceiveLog>();
        m_view = std::make_unique<ReceiveView>(
            m_log.get(), ReceiveFormatter::Kind::Hexadecimal, &m_frames);
        m_view->resize(359, 249);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get())); // drawn to the screen
    }

    // A drag selects between the nearest boundaries, drawn marked; its byte list keeps the lines.
    void drags()
    {
        feed({"ABC", "|", "DEF"});
        QWidget *viewport = m_view->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, at(1.1));
        QTest::mouseDClick(viewport, Qt::MiddleButton, {}, at(4.9));
        QTest::mouseMove(viewport, at(4.9));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at(4.9));
        QCOMPARE(m_view->selectedText(), u"42 43 \r\n44 45 "_qs);
        QVERIFY(breakMarked());
        QCOMPARE((QStringList {shown(place(0)), shown(place(1)), shown(place(4)), shown(place(5)),
                     shown(place(5).translated(0, 20))}),
            (QStringList {u"plain dark"_qs, u"marked light"_qs, u"marked light"_qs,
                u"plain dark"_qs, u"plain blank"_qs}));
        m_view->copyByteList();
        QCOMPARE(QApplication::clipboard()->text(), u"42,43\r\n44,45"_qs);
        QCOMPARE(QApplication::clipboard()->mimeData()->formats(),
            (QStringList {u"text/plain;charset=utf-8"_qs, u"text/plain"_qs}));
        QVERIFY(!m_view->findChild<QProgressDialog *>()); // gone with its copy
    }

    // The menu: 複製 for a selection, apart from 全選 and 複製為16進制字串 for any bytes.
    void contextMenu_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("enabled"); // 複製, a separator, 全選, 複製為16進制字串
        QTest::newRow("empty") << QByteArray() << u"0-00"_qs;
        QTest::newRow("bytes") << QByteArray("A") << u"0-11"_qs;
        QTest::newRow("a selection") << QByteArray("A") << u"1-11"_qs;
    }
    void contextMenu()
    {
        QFETCH(QByteArray, bytes);
        m_log->append(bytes);
        if (QTest::currentDataTag() == QByteArray("a selection"))
            m_view->selectAll();
        QString enabled;
        QTimer::singleShot(0, this, [&enabled] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            for (const QAction *a : menu->actions())
                enabled += a->isSeparator() ? u"-"_qs : QString::number(a->isEnabled());
            menu->close();
        });
        QContextMenuEvent event(
            QContextMenuEvent::Mouse, {5, 5}, m_view->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(m_view->viewport(), &event);
        QTEST(enabled, "enabled");
    }

    // Shifted keys move the cursor from before 42 on; what a frame left on screen is whole.
    void selectingKeys_data()
    {
        QTest::addColumn<int>("cursor"); // a boundary between items: 3 before the line break
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<QString>("selected");
        const Qt::KeyboardModifiers shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
        QTest::newRow("End: before the break") << 2 << (shift | Qt::Key_End) << u"42 43 "_qs;
        QTest::newRow("Right over the break") << 3 << (shift | Qt::Key_Right) << u"42 43 \r\n"_qs;
        QTest::newRow("Down, last row") << 4 << (shift | Qt::Key_Down) << u"42 43 \r\n44 45 46 "_qs;
        QTest::newRow("Left") << 7 << (shift | Qt::Key_Left) << u"42 43 \r\n44 45 "_qs;
        QTest::newRow("Up") << 6 << (shift | Qt::Key_Up) << u"42 "_qs;
        QTest::newRow("PageUp: first row") << 6 << (shift | Qt::Key_PageUp) << u"42 "_qs;
        QTest::newRow("Down") << 2 << (shift | Qt::Key_Down) << u"42 43 \r\n44 45 "_qs;
        QTest::newRow("PageDown") << 2 << (shift | Qt::Key_PageDown) << u"42 43 \r\n44 45 "_qs;
        QTest::newRow("Home") << 6 << (shift | Qt::Key_Home) << u"42 43 \r\n"_qs;
        QTest::newRow("Ctrl+Home") << 6 << (shift | ctrl | Qt::Key_Home) << u"41 "_qs;
        QTest::newRow("Ctrl+End") << 0 << (shift | ctrl | Qt::Key_End) << u"42 43 \r\n44 45 46 "_qs;
    }
    void selectingKeys()
    {
        QFETCH(int, cursor);
        QFETCH(QKeyCombination, key);
        feed({"ABC", "|", "DEF"});
        m_view->setSelection(1, cursor);
        QTest::keyClick(m_view.get(), key.key(), key.keyboardModifiers());
        QTEST(m_view->selectedText(), "selected");
        QTRY_VERIFY(screenIsPainted());
    }

    // A click puts the caret (in ink) at the nearest boundary, a double click takes the item (and a
    // drag after it, the break unmarked), right of the items nothing; Ctrl+A all; other keys go on.
    void clicks()
    {
        feed({"ABC", "|", "DEF"});
        QWidget *viewport = m_view->viewport();
        const QPoint rightOfFirstRow(viewport->width() - 5, at(0).y());
        QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(5, viewport->height() - 5));
        QTest::keyClick(m_view.get(), Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(m_view->selectedText(), u"44 "_qs);
        QTest::mouseClick(viewport, Qt::LeftButton, {}, rightOfFirstRow);
        QTest::keyClick(m_view.get(), Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(m_view->selectedText(), u"\r\n"_qs);
        QTest::mouseClick(viewport, Qt::LeftButton, {}, at(1.1));
        QCOMPARE(viewport->grab().toImage().pixelColor(place(1).topLeft() + QPoint(-1, 5)),
            m_view->palette().color(QPalette::Text));
        QTest::mousePress(viewport, Qt::LeftButton, {}, at(2.2));
        QTRY_VERIFY(!m_frames.isScheduled(m_view.get()) && screenIsPainted()); // all drawn
        QMouseEvent twice(QEvent::MouseButtonDblClick, at(2.2), viewport->mapToGlobal(at(2.2)),
            Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(viewport, &twice);
        QTRY_VERIFY(screenIsPainted()); // the item marked on screen
        QTest::mouseMove(viewport, at(4.9));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at(4.9));
        QCOMPARE(m_view->selectedText(), u"43 "_qs);
        QVERIFY(!breakMarked());
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, rightOfFirstRow);
        QCOMPARE(m_view->selectedText(), u"43 "_qs);
        QTest::keyClick(m_view.get(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(m_view->selectedText(), m_view->text());
        QTRY_VERIFY(screenIsPainted()); // all marked on screen
        QCOMPARE(viewport->cursor().shape(), Qt::IBeamCursor); // text to select
        QKeyEvent key(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier);
        QApplication::sendEvent(m_view.get(), &key);
        QVERIFY(!key.isAccepted());
    }

    // Too large for the memory left: a box, the clipboard kept; with memory, the text in steps.
    void copyTooLarge_data()
    {
        QTest::addColumn<bool>("byteList");
        QTest::addColumn<QString>("repeated");
        QTest::newRow("複製") << false << u"AB "_qs;
        QTest::newRow("複製為16進制字串") << true << u",AB"_qs; // no comma first
    }
    void copyTooLarge()
    {
        QFETCH(bool, byteList);
        QFETCH(QString, repeated);
        ReceiveView *view = m_view.get();
        const qsizetype many = 8 * 1024 * 1024;
        feed({"C", QByteArray(many + 1, '\xAB')});
        const auto copy = [&] {
            byteList ? view->copyByteList() : QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
        };
        view->setSelection(1, m_log->byteCount()); // not the C
        QApplication::clipboard()->setText(u"before"_qs);
        MessageBoxRecorder boxes;
        {
            const AddressSpaceLimit tight(16);
            copy();
        }
        QCOMPARE(boxes.texts(), QStringList {ReceiveCopy::TooLarge});
        QCOMPARE(QApplication::clipboard()->text(), u"before"_qs);
        copy();
        QVERIFY(QApplication::clipboard()->text() == repeated.repeated(many + 1).mid(byteList));
        if (byteList)
            return; // written in one step: no clear can come between
        QApplication::clipboard()->setText(u"before"_qs); // a clear while it is under way
        int progress = -1;
        Qt::WindowModality blocks = Qt::NonModal;
        QString title, name;
        QTimer::singleShot(0, this, [&] {
            m_log->clear();
            const QProgressDialog *dialog = view->findChild<QProgressDialog *>();
            std::tie(progress, blocks, title, name) = std::tuple(dialog->value(),
                dialog->windowModality(), dialog->windowTitle(), dialog->accessibleName());
        });
        copy();
        QCOMPARE(QApplication::clipboard()->text(), u"before"_qs);
        QVERIFY(progress > 0); // the first step shown done
        QCOMPARE(blocks, Qt::WindowModal); // the window waits for its copy, the others do not
        QCOMPARE(title, u"複製"_qs);
        QCOMPARE(name, u"正在複製選取範圍…"_qs); // as a screen reader names it
    }

    // A cancelled frame leaves the others; the hook first; one just after a frame waits.
    void frameClockCancelsOne()
    {
        QObject one, other;
        QStringList drawn;
        FrameClock frames(nullptr, [&] { drawn << u"before"_qs; });
        frames.schedule(&one, 1, [&] { drawn << u"one"_qs; });
        frames.schedule(&other, 1, [&] { drawn << u"other"_qs; });
        frames.cancel(&one);
        QTRY_COMPARE(drawn, (QStringList {u"before"_qs, u"other"_qs}));
        frames.schedule(&one, 1000, [&] { drawn << u"late"_qs; }); // a frame just drawn: waits
        QTest::qWait(20);
        QCOMPARE(drawn.size(), 2);
        frames.schedule(&one, 1, [] {}); // due at once,
        frames.cancel(&one); // but none left waiting: no frame, not even the hook
        QTest::qWait(20);
        QCOMPARE(drawn.size(), 2);
    }

    // A reader reads by offsets (MaxTextChars at most, -1 as AT-SPI asks), words and points.
    void readByOffsets()
    {
        feed({"ABC", "|", "DEF", "|", everyByteMixed()});
        QTRY_VERIFY(laidOut() && m_view->verticalScrollBar()->value() > 0);
        QAccessibleTextInterface *text
            = QAccessible::queryAccessibleInterface(m_view.get())->textInterface();
        const QString area = m_view->text();
        QCOMPARE(text->characterCount(), area.size());
        QCOMPARE(text->text(0, -1), area.left(ReceiveViewAccessible::MaxTextChars));
        QCOMPARE(text->text(0, 0), QString()); // an end of 0 is no end of -1
        const int lastTen = int(area.size()) - 10;
        QCOMPARE(text->text(lastTen, -1), area.mid(lastTen));
        QCOMPARE(text->offsetAtPoint(m_view->viewport()->mapToGlobal(QPoint(-1, 0))), -1);
        int start = 0, end = 0;
        const QString word = text->textAtOffset(100000, QAccessible::WordBoundary, &start, &end);
        QCOMPARE(text->text(start, end), word); // placed in the whole text, not in a piece of it
        text->scrollToSubstring(4, 5000); // its start shown
        QCOMPARE(m_view->verticalScrollBar()->value(), 0);
        QCOMPARE(text->offsetAtPoint(text->characterRect(15).center()), 14); // 45's first
        QCOMPARE(text->characterRect(9), QRect()); // a line break has no place on screen
        QCOMPARE(text->characterRect(-1), QRect()); // nor a character before the first
        QCOMPARE(text->offsetAtPoint(text->characterRect(0).center()), 0); // but the first has
        text->setCursorPosition(15);
        QCOMPARE(text->cursorPosition(), 14);
        text->addSelection(4, 13); // whole items
        text->setSelection(1, 0, 2); // there is only the one selection
        QCOMPARE(m_view->selectedText(), u"42 43 \r\n44 "_qs);
        text->selection(0, &start, &end);
        QCOMPARE(QList<int>({start, end}), QList<int>({3, 14}));
        text->selection(1, &start, &end);
        QCOMPARE(QList<int>({start, end}), QList<int>({0, 0})); // only the one
        text->setSelection(0, 4, 11); // to where 44 starts: without it
        QCOMPARE(m_view->selectedText(), u"42 43 \r\n"_qs);
        QTRY_VERIFY(screenIsPainted());
        text->removeSelection(0);
        QCOMPARE(text->selectionCount(), 0);
        QTRY_VERIFY(screenIsPainted()); // its marks gone from the screen too
    }

    // A listening reader is told growth (a few times a second), a clear, caret and selection.
    void notices()
    {
        QStringList told;
        const auto listen = [&told](QAccessibleEvent *event) {
            if (const auto *e = dynamic_cast<QAccessibleTextInsertEvent *>(event))
                told << u"+%1 %2"_qs.arg(e->changePosition()).arg(e->textInserted());
            else if (const auto *e = dynamic_cast<QAccessibleTextRemoveEvent *>(event))
                told << u"-%1"_qs.arg(e->textRemoved().size());
            else if (const auto *e = dynamic_cast<QAccessibleTextSelectionEvent *>(event))
                told << QString::asprintf("selected %d-%d at %d", e->selectionStart(),
                    e->selectionEnd(), e->cursorPosition());
            else if (event->type() == QAccessible::TextCaretMoved)
                told << u"caret %1"_qs.arg(
                    static_cast<QAccessibleTextCursorEvent *>(event)->cursorPosition());
        };
        ReceiveView view(
            m_log.get(), ReceiveFormatter::Kind::Hexadecimal, &m_frames, nullptr, listen);
        view.show();
        feed({"A", "B"});
        feed({"|", "C"});
        QTRY_COMPARE(told, QStringList {u"+0 41 42 \r\n43 "_qs});
        view.setSelection(1, 0); // backwards: the caret at its start
        m_log->clear();
        feed({"D"}); // told from the start again
        QTRY_COMPARE(told.mid(1),
            QString("caret 3|selected 0-0 at 3|caret 0|selected 0-3 at 0|-11|+0 44 ").split(u'|'));
    }

    // A fast stream is drawn a few times a second, its end at once, the screen as a whole paint.
    void drawsTheEndOfAStream()
    {
        ReceiveView *view = m_view.get();
        QWidget *viewport = view->viewport();
        viewport->installEventFilter(this);
        for (int i = 0; i < 30; ++i) {
            m_painted = {};
            m_log->append(QByteArray(500, char(i * 13)));
            QTest::qWait(10);
        }
        const auto lastDrawn = [&] {
            return m_painted.intersects(view->itemRect(m_log->byteCount() - 1).toAlignedRect());
        };
        QTRY_VERIFY(lastDrawn());
        m_painted = {};
        m_log->append("Z"); // onto the last row: nothing scrolls
        QTRY_VERIFY(lastDrawn());
        QVERIFY(!m_painted.contains(QPoint(5, 5))); // the last row alone
        m_log->append(QByteArray(40, 'Y')); // a row further: the rows on screen move up
        QTRY_VERIFY(lastDrawn());
        QVERIFY(screenIsPainted());
        ReceiveView whole(m_log.get(), ReceiveFormatter::Kind::Hexadecimal, &m_frames);
        whole.resize(view->size());
        whole.show(); // all laid out at once: rows wrapped where the parts wrapped them
        QTRY_COMPARE(
            whole.itemRect(m_log->byteCount() - 1), view->itemRect(m_log->byteCount() - 1));
    }

    // A line break starts its row afresh: the rows after it wrap as those at the start.
    void wrapsAfterABreak()
    {
        feed({QByteArray(999, 'A'), "|", QByteArray(999, 'A')});
        QTRY_VERIFY(laidOut());
        QCOMPARE(place(1997).x(), place(998).x());
    }

    // New data follow the end unless scrolled away; re-wraps in steps keep the view; clears reset.
    void layoutAndScrolling()
    {
        ReceiveView *view = m_view.get();
        for (int i = 0; i < 80; ++i) // 5 MB in one line
            m_log->append(everyByteMixed());
        QScrollBar *bar = view->verticalScrollBar();
        QVERIFY(bar->isVisible()); // from the first row: the rows are never wrapped again for it
        QTRY_VERIFY(laidOut() && bar->maximum() > 100000);
        const auto rows = [bar] { return bar->maximum() + bar->pageStep(); };
        // Keys scroll by a row, a page or to either end; away from the end, new data wait.
        const int page = bar->pageStep(), end = bar->maximum();
        for (const auto &[key, value] : {std::pair {Qt::ControlModifier | Qt::Key_Home, 0},
                 {Qt::Key_Down, 1}, {Qt::Key_PageDown, page + 1}, {Qt::Key_Up, page},
                 {Qt::Key_PageUp, 0}, {Qt::ShiftModifier | Qt::Key_PageDown, 1},
                 {Qt::Key_Down, 2}, // the caret kept shown
                 {Qt::ControlModifier | Qt::Key_End, end}, {Qt::Key_Up, end - 1}}) {
            QTest::keyClick(view, key.key(), key.keyboardModifiers());
            QCOMPARE(bar->value(), value);
            QTRY_VERIFY(screenIsPainted());
        }
        // A drag past either edge scrolls a row that way, then shows the caret's row beyond it.
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(view->viewport(), QPoint(5, -1));
        QCOMPARE(bar->value(), end - 3);
        QTest::mouseMove(view->viewport(), QPoint(5, 0)); // in the top margin: one row up, not two
        QTest::mouseMove(view->viewport(), QPoint(5, view->viewport()->height()));
        QCOMPARE(bar->value(), end - 2);
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        const int top = bar->value();
        // Plain Home and End belong to a line: they do not scroll.
        QTest::keyClick(view, Qt::Key_End);
        QTest::keyClick(view, Qt::Key_Home);
        QAccessibleTextInterface *text
            = QAccessible::queryAccessibleInterface(view)->textInterface();
        const QPoint corner = view->viewport()->mapToGlobal(QPoint(3, 3));
        const int topItem = text->offsetAtPoint(corner), before = rows();
        feed({"|", "U", "|"});
        QTRY_COMPARE(rows(), before + 2);
        QCOMPARE(bar->value(), top);
        view->resize(240, 249);
        QTRY_VERIFY_WITH_TIMEOUT(laidOut(), 20000);
        QTRY_VERIFY(rows() > before * 4 / 3); // the bar follows at the next frame
        const int topNow = text->offsetAtPoint(corner); // the top row's first item stays on it
        QCOMPARE(text->characterRect(topItem).y(), text->characterRect(topNow).y());
        view->resize(240, 300); // taller only
        QTRY_VERIFY(bar->pageStep() > page);
        // Moving the cursor to the end brings it into view, and new data follow.
        QTest::keyClick(view, Qt::Key_End, Qt::ShiftModifier | Qt::ControlModifier);
        const int last = bar->maximum();
        QCOMPARE(bar->value(), last);
        feed({"V", "|"});
        QTRY_COMPARE(bar->value(), last + 1);

        const qreal narrow = view->itemRect(0).width();
        QTest::keyClick(view, Qt::Key_PageUp);
        view->setFont(QFont(view->font().family(), 24));
        QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier); // the user's scroll is kept
        QTRY_VERIFY(view->itemRect(0).width() > narrow && laidOut());
        view->viewport()->installEventFilter(this);
        const auto idle = [this] {
            return std::exchange(m_painted, {}), QTest::qWait(200), m_painted.isEmpty();
        };
        QTRY_VERIFY(idle()); // nothing drawn once measured and wrapped again, not even the last row
        QVERIFY(rows() > before * 2); // the wider items wrapped again
        QCOMPARE(bar->value(), 0);
        QTest::keyClick(view, Qt::Key_PageUp);
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, QPoint(5, 5)); // a drag under way
        view->selectAll();
        m_log->clear();
        QCOMPARE(bar->maximum(), 0);
        feed({"\x0F", "|", "\x10"});
        QTest::mouseMove(view->viewport(), QPoint(60, 40));
        QCOMPARE(view->selectedText(), QString()); // the selection went with the old bytes
        QTRY_VERIFY(view->itemRect(1).top() > view->itemRect(0).top()); // its break laid out anew
        m_log->append(QByteArray(3 << 20, 'A')); // more than one layout step, no break after it
        QTRY_VERIFY(laidOut());
        QTRY_COMPARE(bar->value(), bar->maximum()); // scrolled away before, following after
        view->selectAll();
        m_log.reset();
        QCOMPARE(view->text() + view->selectedText(), QString());
        QCOMPARE(bar->maximum(), 0);
        QCOMPARE(view->itemRect(0), QRectF());
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::ShiftModifier);
        QApplication::sendEvent(view, &down);
        QVERIFY(!down.isAccepted()); // nothing to move over: on to the window
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        view->viewport()->repaint();
    }
};

QTEST_MAIN(tst_ReceiveView)
#include "tst_receiveview.moc"
