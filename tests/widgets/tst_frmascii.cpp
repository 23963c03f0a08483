// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmvedira.h"
#include "app/mdichild.h"
#include "tools/asciichart.h"
#include "tools/frmascii.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScreen>
#include <QTest>

class tst_FrmAscii : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void placedOnCreationAndAgainAfterClose();
    void secondCommandBringsTheSameWindowForward();
    void picture();
    void sixthGroupEndsAt127();
    void symbols_data();
    void symbols();

private:
    frmAscii *openAscii();
    QPoint designPlace(QWidget *sub) const;
    frmVedira *m_frame = nullptr;
};

void tst_FrmAscii::init()
{
    m_frame = new frmVedira;
    m_frame->resize(1000, 760);
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
}

void tst_FrmAscii::cleanup()
{
    delete m_frame;
    m_frame = nullptr;
}

frmAscii *tst_FrmAscii::openAscii()
{
    m_frame->findChild<QAction *>(QStringLiteral("memASC"))->trigger();
    return m_frame->findChild<frmAscii *>(QStringLiteral("frmAscii"));
}

// Centred on the screen's width and a quarter of the free height down, measured in the frame's
// client area.
QPoint tst_FrmAscii::designPlace(QWidget *sub) const
{
    const QSize screen = m_frame->screen()->size();
    return QPoint(qRound((screen.width() - sub->width()) / 2.0),
        qRound((screen.height() - sub->height()) / 4.0));
}

void tst_FrmAscii::placedOnCreationAndAgainAfterClose()
{
    QPointer<frmAscii> chart = openAscii();
    QVERIFY(chart);
    QCOMPARE(chart->windowTitle(), QStringLiteral("ASCII碼"));
    QCOMPARE(chart->size(), QSize(501, 408));
    QWidget *sub = MdiChild::frameOf(chart);
    QVERIFY(sub->isVisible());
    QCOMPARE(sub->minimumSize(), sub->maximumSize());
    QVERIFY(!(sub->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(sub->pos(), designPlace(sub));
    QVERIFY(sub->pos() != QPoint(0, 0));

    // Closing destroys it; the next command creates and places it again.
    sub->move(12, 34);
    sub->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!chart);
    QVERIFY(m_frame->findChildren<frmAscii *>().isEmpty());
    frmAscii *again = openAscii();
    QVERIFY(again);
    QCOMPARE(MdiChild::frameOf(again)->pos(), designPlace(MdiChild::frameOf(again)));
}

void tst_FrmAscii::secondCommandBringsTheSameWindowForward()
{
    QPointer<frmAscii> chart = openAscii();
    QWidget *sub = MdiChild::frameOf(chart);
    sub->move(12, 34);
    m_frame->findChild<QAction *>(QStringLiteral("memCheck"))->trigger();
    QVERIFY(m_frame->mdiArea()->activeSubWindow() != sub);

    QCOMPARE(openAscii(), chart.data());
    QCOMPARE(m_frame->findChildren<frmAscii *>().size(), 1);
    QCOMPARE(m_frame->mdiArea()->activeSubWindow(), sub);
    QCOMPARE(sub->pos(), QPoint(12, 34));
}

void tst_FrmAscii::picture()
{
    const QImage &img = AsciiChart::picture();
    QCOMPARE(img.size(), QSize(501, 408));
    QCOMPARE(img.depth(), 1);
    QCOMPARE(img.colorTable(), (QList<QRgb> {qRgb(0, 0, 0), qRgb(255, 255, 255)}));
    QCOMPARE(img.dotsPerMeterX(), 3780);
    QCOMPARE(img.dotsPerMeterY(), 3780);
    // Black on white: the frame of the table is black, most of the sheet white.
    QCOMPARE(img.pixelIndex(0, 0), 0);
    QCOMPARE(img.pixelIndex(500, 407), 0);
    qsizetype black = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            black += img.pixelIndex(x, y) == 0;
    QVERIFY(black > 5000);
    QVERIFY(black < img.width() * img.height() / 3);
}

void tst_FrmAscii::sixthGroupEndsAt127()
{
    // Ink in a band of the chart: rules run through every group alike, so text makes the
    // difference between two groups' bands.
    const QImage &img = AsciiChart::picture();
    const auto ink = [&img](int group, int top, int bottom) {
        const int left = group * img.width() / 6 + 6;
        const int right = (group + 1) * img.width() / 6 - 6;
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                n += img.pixelIndex(x, y) == 0;
        return n;
    };
    const int lower = img.height() / 4; // well below the third row
    const int fifth = ink(4, lower, img.height() - 2);
    const int sixth = ink(5, lower, img.height() - 2);
    QVERIFY2(fifth > sixth + 1000, qPrintable(QStringLiteral("%1 %2").arg(fifth).arg(sixth)));
    // Its first rows do hold 125 to 127.
    const int sixthTop = ink(5, img.height() / 12, img.height() / 5);
    const int sixthBand = ink(5, lower, lower + img.height() / 5 - img.height() / 12);
    QVERIFY(sixthTop > sixthBand + 200);
}

void tst_FrmAscii::symbols_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("symbol");

    const QStringList controls = QStringLiteral("NUL SOH STX ETX EOT ENQ ACK BEL BS HT LF VT FF CR "
                                                "SO SI DLE DC1 DC2 DC3 DC4 NAK SYN ETB CAN EM SUB "
                                                "ESC FS GS RS US")
                                     .split(u' ');
    for (int code = 0; code < controls.size(); ++code)
        QTest::addRow("%d", code) << code << controls.at(code);
    QTest::newRow("32") << 32 << "SP";
    QTest::newRow("33") << 33 << "!";
    QTest::newRow("48") << 48 << "0";
    QTest::newRow("65") << 65 << "A";
    QTest::newRow("122") << 122 << "z";
    QTest::newRow("126") << 126 << "~";
    QTest::newRow("127") << 127 << "DEL";
}

void tst_FrmAscii::symbols()
{
    QFETCH(int, code);
    QFETCH(QString, symbol);
    QCOMPARE(AsciiChart::symbol(code), symbol);
}

QTEST_MAIN(tst_FrmAscii)
#include "tst_frmascii.moc"
