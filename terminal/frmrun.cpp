// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/frmrun.h"

#include "core/runtimeerror.h"
#include "resources/icons.h"
#include "serial/portsettings.h"
#include "serial/serialport.h"
#include "settings/module1.h"
#include "terminal/frameclock.h"
#include "terminal/frmopt1.h"
#include "terminal/frmopt3.h"
#include "terminal/lampshape.h"
#include "terminal/receiveview.h"
#include "terminal/receiveviewaccessible.h"
#include "terminal/sendline.h"
#include "terminal/terminalsession.h"
#include "ui/designfonts.h"
#include "ui/formbuilder.h"
#include "ui/mdichild.h"
#include "ui/messagebox.h"
#include "ui/namedcomboaccessible.h"
#include "ui/portreason.h"
#include "ui/twips.h"
#include "ui/uitexts.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace FormBuilder;

frmRun::frmRun(std::unique_ptr<SerialPort> port)
    : m_session(new TerminalSession(std::move(port), this))
{
    setObjectName(QStringLiteral("frmRun"));
    buildControls();
    connectHandlers();
}

void frmRun::buildControls()
{
    setWindowTitle(QStringLiteral("執行"));
    setWindowIcon(Icons::application());
    setFixedSize(twipsSize(11430, 7200));
    const QFont lampFont = DesignFonts::font(DesignFonts::Arial, 8.25);
    setFont(DesignFonts::font(DesignFonts::PMingliu, 9.75));

    Frame1 = frame(this, "Frame1", QStringLiteral("命令區"), twips(120, 120, 7635, 2475));
    const std::array<QString, 3> sendLabels {QStringLiteral("傳送ASCII碼字元"),
        QStringLiteral("傳送10進制字串 , 使用\"，\"分隔"),
        QStringLiteral("傳送16進制字串 , 使用\"，\"分隔")};
    const std::array<QString, 3> initialTexts {QStringLiteral("例如：ABC"),
        QStringLiteral("例如：65,66,67"), QStringLiteral("例如：41,42,43")};
    const std::array members {&CobSend1, &CobSend2, &CobSend3};
    m_cmdSendGroup = new QButtonGroup(this);
    NamedComboAccessible::installFactory();
    ReceiveViewAccessible::installFactory();
    for (int r = 0; r < 3; ++r) {
        const int top = 270 + r * 720;
        Label3[size_t(2 * r)] = label(Frame1, QStringLiteral("Label3_%1").arg(2 * r),
            sendLabels[size_t(r)], twips(180, top, 5100, 240));
        auto *line = place(new SendLine(MaxLineLength, Frame1),
            QStringLiteral("CobSend%1").arg(r + 1), twips(180, top + 240, 5100, 330));
        line->setEditText(initialTexts[size_t(r)]);
        labelFor(Label3[size_t(2 * r)], line);
        line->lineEdit()->setAccessibleName(sendLabels[size_t(r)]);
        *members[size_t(r)] = line;
        auto *send = button(Frame1, QStringLiteral("CmdSend_%1").arg(r), UiTexts::SingleSend,
            twips(5400, top + 195, 1095, 390));
        // The three buttons share a caption; the line each sends tells them apart.
        send->setAccessibleDescription(sendLabels[size_t(r)]);
        m_cmdSend[size_t(r)] = send;
        m_cmdSendGroup->addButton(send, r);
    }
    CobSend3->addModbusCrcAction();
    cmdOpt1 = button(Frame1, "cmdOpt1", QStringLiteral("選項"), twips(6600, 465, 855, 390));
    cmdOpt1->setAccessibleDescription(sendLabels[0]);
    cmdOpt3
        = button(Frame1, "cmdOpt3", QStringLiteral("選項"), twips(6600, 465 + 2 * 720, 855, 390));
    cmdOpt3->setAccessibleDescription(sendLabels[2]);

    Frame3 = frame(this, "Frame3", QStringLiteral("通訊狀態"), twips(7860, 120, 1035, 2475));
    auto lamp = [&](const char *labelName, const QString &caption, const char *lampName, int col,
                    int row, QLabel *&lbl, LampShape *&shape) {
        const int left = 60 + col * 465, top = 300 + row * 720;
        lbl = label(Frame3, labelName, caption, twips(left, top, 450, 240));
        lbl->setFont(lampFont);
        lbl->setAlignment(Qt::AlignCenter);
        shape = place(new LampShape(Frame3), lampName, twips(left + 75, top + 255, 300, 300));
        labelFor(lbl, shape);
    };
    lamp("LbSD", QStringLiteral("SD"), "spSD", 0, 0, LbSD, spSD);
    lamp("LbRD", QStringLiteral("RD"), "spRD", 1, 0, LbRD, spRD);
    lamp("LbCTS", QStringLiteral("CTS"), "spCTS", 0, 1, LbCTS, spCTS);
    lamp("LbDSR", QStringLiteral("DSR"), "spDSR", 1, 1, LbDSR, spDSR);
    lamp("LblDCD", QStringLiteral("DCD"), "spDCD", 0, 2, LblDCD, spDCD);
    lamp("LbRI", QStringLiteral("RI"), "spRI", 1, 2, LbRI, spRI);

    cmdRec = pictureButton(
        this, "cmdRec", QStringLiteral("存檔"), Icons::savePicture(), twips(9000, 120, 1125, 795));
    cmdPrint = pictureButton(this, "cmdPrint", QStringLiteral("列印"), Icons::printPicture(),
        twips(9000, 960, 1125, 795));
    cmdPort = pictureButton(
        this, "cmdPort", UiTexts::OpenPort, Icons::portPicture(), twips(10200, 120, 1125, 795));
    cmdReceive = pictureButton(this, "cmdReceive", QStringLiteral("清除接收區"),
        Icons::clearPicture(), twips(10200, 960, 1125, 795));
    CmdExit = pictureButton(this, "CmdExit", QStringLiteral("離 開"), Icons::exitPicture(),
        twips(10200, 1800, 1125, 795));
    // Saving and printing have no function: shown, but not available.
    cmdRec->setEnabled(false);
    cmdPrint->setEnabled(false);

    Frame2 = frame(this, "Frame2", QStringLiteral("接收區"), twips(120, 2700, 11175, 4335));
    struct Area
    {
        ReceiveFormatter::Kind kind;
        QColor color;
        QRect rect;
        QString caption;
        QRect labelRect;
    };
    const std::array<Area, 3> areas {{
        {ReceiveFormatter::Kind::Character, QColor(192, 0, 0), twips(5700, 480, 5310, 1755),
            QStringLiteral("ASCII字元顯示"), twips(5700, 240, 3000, 240)},
        {ReceiveFormatter::Kind::Decimal, QColor(0, 128, 0), twips(5700, 2580, 5310, 1635),
            QStringLiteral("10進制字串顯示"), twips(5700, 2340, 3000, 240)},
        {ReceiveFormatter::Kind::Hexadecimal, QColor(0, 0, 192), twips(180, 480, 5385, 3735),
            QStringLiteral("16進制字串顯示"), twips(180, 240, 3000, 240)},
    }};
    // One clock, so the window repaints once a frame; made after Frame2, it outlives the areas.
    auto *frames = new FrameClock(this, [this] { m_session->catchUp(); });
    for (size_t i = 0; i < areas.size(); ++i) {
        Label3[2 * i + 1] = label(Frame2, QStringLiteral("Label3_%1").arg(2 * i + 1),
            areas[i].caption, areas[i].labelRect);
        auto *view = place(new ReceiveView(&m_session->log(), areas[i].kind, frames, Frame2),
            QStringLiteral("txtReceive_%1").arg(i), areas[i].rect);
        labelFor(Label3[2 * i + 1], view);
        view->setFont(DesignFonts::font(DesignFonts::Arial, 9.75));
        QPalette pal = view->palette();
        pal.setColor(QPalette::Text, areas[i].color);
        view->setPalette(pal);
        txtReceive[i] = view;
    }

    // Tab walks the window as it reads: each send row, the buttons row by row, then the areas
    // from the large one on the left.
    const QList<QWidget *> tabOrder {CobSend1, CmdSend(0), cmdOpt1, CobSend2, CmdSend(1), CobSend3,
        CmdSend(2), cmdOpt3, cmdRec, cmdPort, cmdPrint, cmdReceive, CmdExit, txtReceive[2],
        txtReceive[0], txtReceive[1]};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void frmRun::connectHandlers()
{
    connect(cmdPort, &QAbstractButton::clicked, this, &frmRun::cmdPort_Click);
    connect(cmdReceive, &QAbstractButton::clicked, this, &frmRun::cmdReceive_Click);
    connect(CmdExit, &QAbstractButton::clicked, this, &frmRun::CmdExit_Click);
    connect(cmdOpt1, &QAbstractButton::clicked, this, &frmRun::cmdOpt1_Click);
    connect(cmdOpt3, &QAbstractButton::clicked, this, &frmRun::cmdOpt3_Click);
    connect(m_cmdSendGroup, &QButtonGroup::idClicked, this, &frmRun::CmdSend_Click);
    const auto dataError = [this] { MessageBox::error(this, UiTexts::DataError); };
    connect(CobSend3, &SendLine::crcRefused, this, dataError);
    connect(m_session, &TerminalSession::lineChanged, this, &frmRun::lineChanged);
    connect(m_session, &TerminalSession::eventFailed, this, dataError);
    connect(m_session, &TerminalSession::continuousFailed, this, &frmRun::timerSend_Failed);
    connect(m_session, &TerminalSession::connectionLost, this, &frmRun::Comm1_ConnectionLost);
    connect(m_session, &TerminalSession::outOfMemory, this, [this](qsizetype kept) {
        showPortClosed();
        MessageBox::error(this, UiTexts::OutOfMemory, UiTexts::ReceiveKept.arg(kept));
    });

    for (int i = 0; i < 3; ++i) {
        SendLine *line = std::array {CobSend1, CobSend2, CobSend3}[size_t(i)];
        // Enter in a line sends it, like its button.
        connect(line->lineEdit(), &QLineEdit::returnPressed, this, [this, i] { CmdSend_Click(i); });
        connect(line, &SendLine::refused, this,
            [this] { MessageBox::error(this, UiTexts::LineTooLong.arg(MaxLineLength)); });
    }
}

void frmRun::Form_Load()
{
    MdiChild::frameOf(this)->move(0, 0);
    applySendMode(Module1::SendOpt(2));
    try {
        openPort();
    } catch (const RunTimeError &e) {
        showPortError(e);
    }
}

void frmRun::openPort()
{
    m_session->open(PortSettings::parse(Module1::ComPortNo, Module1::ComSetting));
    showPortOpen();
}

void frmRun::reopenPort()
{
    try {
        m_session->reopen(PortSettings::parse(Module1::ComPortNo, Module1::ComSetting));
        showPortOpen();
    } catch (const RunTimeError &) {
        // Settings that cannot be read leave the port closed, as a failed open does. Shown closed
        // before the caller's box, so that no continuous send ticks behind it.
        m_session->close();
        showPortClosed();
        throw;
    }
}

void frmRun::showPortOpen()
{
    Module1::PortIsOpen = Module1::VbTrue;
    cmdPort->setText(UiTexts::ClosePort);
    Q_EMIT panelTextChanged(6, UiTexts::PanelPortOpen);
}

void frmRun::showPortError(const RunTimeError &error)
{
    MessageBox::error(this,
        error.number == ErrorNumber::PortAlreadyOpen         ? UiTexts::PortHeld
            : error.number == ErrorNumber::InvalidPortNumber ? UiTexts::PortOpenError
                                                             : UiTexts::DataError,
        PortReason::text(error.failure));
}

void frmRun::showPortClosed()
{
    Module1::PortIsOpen = Module1::VbFalse;
    stopContinuousSending();
    cmdPort->setText(UiTexts::OpenPort);
    Q_EMIT panelTextChanged(6, UiTexts::PanelPortClosed);
}

void frmRun::stopContinuousSending()
{
    m_session->stopContinuous();
    if (CmdSend(2)->text() == UiTexts::StopSend)
        CmdSend(2)->setText(UiTexts::ContinuousSend);
}

void frmRun::applySendMode(const QString &mode)
{
    if (mode == u"0") {
        stopContinuousSending();
        CmdSend(2)->setText(UiTexts::SingleSend);
    } else if (mode == u"1") {
        // A running continuous send goes on; it reads the interval afresh at its next tick.
        if (CmdSend(2)->text() != UiTexts::StopSend)
            CmdSend(2)->setText(UiTexts::ContinuousSend);
    }
}

void frmRun::cmdPort_Click()
{
    try {
        // The caption, not PortIsOpen, decides: anything but "open" closes.
        if (cmdPort->text() == UiTexts::OpenPort) {
            openPort();
        } else {
            m_session->close();
            showPortClosed();
        }
    } catch (const RunTimeError &e) {
        showPortError(e);
    }
}

void frmRun::CmdExit_Click()
{
    stopContinuousSending();
    MdiChild::frameOf(this)->hide();
}

void frmRun::Form_QueryUnload(bool &cancel)
{
    // Hidden, not closed: the port and a running continuous send carry on.
    cancel = true;
    MdiChild::frameOf(this)->hide();
}

void frmRun::closeEvent(QCloseEvent *event)
{
    bool cancel = false;
    Form_QueryUnload(cancel);
    if (cancel)
        event->ignore();
}

void frmRun::lineChanged(qint16 event, bool on)
{
    if (event == SerialPort::EvRing) // each ring flips its lamp
        on = spRI->fillColor() != LampShape::On;
    // The line events are numbered in this order.
    LampShape *lamp = std::array {spCTS, spDSR, spDCD, spRI}.at(size_t(event - SerialPort::EvCTS));
    lamp->setFillColor(on ? LampShape::On : LampShape::Off);
}

void frmRun::Comm1_ConnectionLost(const PortFailure &why)
{
    showPortClosed();
    MessageBox::error(this, UiTexts::PortLost, PortReason::text(why));
}

void frmRun::cmdReceive_Click()
{
    m_session->clearLog();
}

bool frmRun::lineReady(const QString &text)
{
    // The port as it reports itself, not the shared flag.
    const QString refusal = text.isEmpty() ? UiTexts::NoSendData
        : !m_session->isOpen()             ? UiTexts::PortNotOpen
                                           : QString();
    if (!refusal.isEmpty())
        MessageBox::error(this, refusal);
    return refusal.isEmpty();
}

void frmRun::CmdSend_Click(int index)
{
    const bool clear = Module1::ReceiveClearOpt == QLatin1String("1");
    std::optional<int> error;
    switch (index) {
    case 0: {
        const QString text = CobSend1->currentText();
        if (!lineReady(text))
            return;
        CobSend1->recordHistory();
        error = m_session->sendAscii(text, Module1::SendOpt(1), clear);
        break;
    }
    case 1: {
        // The decimal line records its history before any check.
        CobSend2->recordHistory();
        const QString text = CobSend2->currentText();
        if (!lineReady(text))
            return;
        error = m_session->sendDecimal(text, clear);
        break;
    }
    case 2: {
        if (!lineReady(CobSend3->currentText()))
            return;
        CobSend3->recordHistory();
        const QString mode = CmdSend(2)->text();
        if (mode == UiTexts::SingleSend) {
            error = m_session->sendHexadecimal(CobSend3->currentText(), clear);
        } else if (mode == UiTexts::ContinuousSend) {
            m_session->startContinuous(Module1::SendOpt(3).toInt(), [this] {
                return TerminalSession::Tick {CobSend3->currentText(), Module1::SendOpt(3).toInt(),
                    Module1::ReceiveClearOpt == QLatin1String("1")};
            });
            CmdSend(2)->setText(UiTexts::StopSend);
        } else {
            stopContinuousSending();
        }
        break;
    }
    }
    if (error)
        showSendError(*error);
}

void frmRun::showSendError(int number)
{
    if (number == ErrorNumber::OutputFull)
        MessageBox::error(this, UiTexts::PortBusy.arg(m_session->Comm1().outBufferCount()));
    else
        MessageBox::error(this, UiTexts::DataError);
}

void frmRun::timerSend_Failed(int number)
{
    // The box comes after the caption, so that no second tick can run while it is open.
    stopContinuousSending();
    showSendError(number);
}

void frmRun::cmdOpt1_Click()
{
    frmOpt1 dialog(this);
    dialog.exec();
}

void frmRun::cmdOpt3_Click()
{
    frmOpt3 dialog(this);
    connect(&dialog, &frmOpt3::sendModeChosen, this, &frmRun::applySendMode);
    dialog.exec();
}
