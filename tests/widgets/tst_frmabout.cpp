// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmvedira.h"
#include "tools/frmabout.h"
#include "tools/frmcheck.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

class tst_FrmAbout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void design();
    void frameTakesNoInputWhileOpen();

private:
    // Runs the menu command; while the box is up, `whileOpen` sees it, then `close` ends it.
    void runAbout(const std::function<void(frmAbout *)> &whileOpen,
        const std::function<void(frmAbout *)> &close);
    void clickInFrame(QWidget *target);

    frmVedira *m_frame = nullptr;
    QPointer<frmAbout> m_seen;
};

void tst_FrmAbout::init()
{
    m_frame = new frmVedira;
    m_frame->resize(1000, 760);
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
}

void tst_FrmAbout::cleanup()
{
    delete m_frame;
    m_frame = nullptr;
}

void tst_FrmAbout::runAbout(
    const std::function<void(frmAbout *)> &whileOpen, const std::function<void(frmAbout *)> &close)
{
    m_seen.clear();
    QTimer::singleShot(0, this, [&] {
        m_seen = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
        if (!m_seen)
            return;
        if (!QTest::qWaitForWindowExposed(m_seen))
            qWarning("the About box was not exposed");
        whileOpen(m_seen);
        close(m_seen);
    });
    // A safety net, so a box that failed to close cannot hang the test.
    QTimer::singleShot(5000, this, [] {
        if (QWidget *w = QApplication::activeModalWidget())
            w->close();
    });
    m_frame->findChild<QAction *>(QStringLiteral("memAbout2"))->trigger();
}

// A click that comes from the window system, so modality applies to it.
void tst_FrmAbout::clickInFrame(QWidget *target)
{
    const QPoint at = target->mapTo(m_frame, target->rect().center());
    QTest::mouseClick(m_frame->windowHandle(), Qt::LeftButton, {}, at);
}

void tst_FrmAbout::design()
{
    QString title, web, ok;
    QStringList others;
    QSize size;
    QPoint pos, expectedPos;
    QRect okRect;
    QColor okColour;
    bool topLevel = false;
    bool picture = false;
    Qt::WindowFlags flags;
    runAbout(
        [&](frmAbout *about) {
            title = about->windowTitle();
            size = about->size();
            topLevel = about->isWindow();
            flags = about->windowFlags();
            web = about->findChild<QLabel *>(QStringLiteral("Label1"))->text();
            for (const char *name : {"Label3", "Label2", "Label4"})
                others.append(about->findChild<QLabel *>(QLatin1String(name))->text());
            auto *pic = about->findChild<QLabel *>(QStringLiteral("Picture1"));
            picture = pic->pixmap().size() == QSize(32, 32) && pic->pos() == QPoint(8, 8);
            auto *button = about->findChild<QToolButton *>(QStringLiteral("CmdOk"));
            ok = button->text();
            okRect = button->geometry();
            // The face beside the caption, as painted.
            okColour = button->grab().toImage().pixelColor(5, button->height() / 2);
            pos = about->pos();
            const QSize screen = about->screen()->size();
            expectedPos = QPoint(qRound((screen.width() - about->width()) / 2.0),
                qRound((screen.height() - about->height()) / 3.0));
        },
        [](frmAbout *about) {
            QTest::mouseClick(
                about->findChild<QToolButton *>(QStringLiteral("CmdOk")), Qt::LeftButton);
        });
    QVERIFY(!m_seen);
    QCOMPARE(title, QStringLiteral("關於"));
    QCOMPARE(size, QSize(232, 152));
    QVERIFY(topLevel);
    QVERIFY(!(flags & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint)));
    QVERIFY(web.startsWith(QStringLiteral("https://")));
    for (const QString &text : others)
        QVERIFY(!text.isEmpty());
    QVERIFY(picture);
    QCOMPARE(ok, QStringLiteral("確 定"));
    QCOMPARE(okRect.size(), QSize(65, 45));
    QVERIFY(okRect.right() > size.width() - 20 && okRect.bottom() > size.height() - 20);
    QCOMPARE(okColour, QColor(192, 255, 255));
    QCOMPARE(pos, expectedPos);
}

void tst_FrmAbout::frameTakesNoInputWhileOpen()
{
    m_frame->findChild<QAction *>(QStringLiteral("memCheck"))->trigger();
    auto *check = m_frame->findChild<frmCheck *>();
    auto *combo = check->findChild<QComboBox *>(QStringLiteral("CobTxt"));
    combo->lineEdit()->setText(QStringLiteral("41"));
    auto *cmdCrc = check->findChild<QPushButton *>(QStringLiteral("cmdCrc"));
    auto *txtCRC = check->findChild<QLineEdit *>(QStringLiteral("txtCRC"));

    bool modal = false;
    QString whileOpen;
    QPointer<frmAbout> first;
    runAbout(
        [&](frmAbout *about) {
            first = about;
            modal = about->isModal() && about->windowModality() == Qt::ApplicationModal;
            clickInFrame(cmdCrc);
            QCoreApplication::processEvents();
            whileOpen = txtCRC->text();
        },
        [](frmAbout *about) { about->close(); });
    QVERIFY(!m_seen);
    QVERIFY(modal);
    QCOMPARE(whileOpen, QString());

    // The same click reaches the calculator once the box is gone.
    clickInFrame(cmdCrc);
    QTRY_COMPARE(txtCRC->text(), QStringLiteral("707F"));

    // Closing destroyed the box; the next command makes a new one.
    QVERIFY(!first);
    bool shown = false;
    runAbout([&](frmAbout *) { shown = true; }, [](frmAbout *about) { about->close(); });
    QVERIFY(shown);
    QVERIFY(!m_seen);
    QVERIFY(!m_frame->findChild<frmAbout *>());
}

QTEST_MAIN(tst_FrmAbout)
#include "tst_frmabout.moc"
