// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <array>
#include <memory>

class QAbstractButton;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QToolButton;
class LampShape;
struct PortFailure;
struct RunTimeError;
class ReceiveView;
class SendLine;
class SerialPort;
class TerminalSession;

// The terminal window over its session (the port given by whoever builds the window, the receive
// log, the send and receive rules): the three send lines, the receive log shown three ways, the
// lamps, the captions that carry state and the boxes. It lives for the whole run; a close request
// only hides it.
class frmRun : public QWidget
{
    Q_OBJECT
public:
    explicit frmRun(std::unique_ptr<SerialPort> port);

    // The longest text a send line takes, in characters: a longer paste is refused whole. A line
    // edit lays out its whole text on every keystroke and the history sizes every entry, both
    // well under 100 ms at this length and far over it at a few times more.
    static constexpr qsizetype MaxLineLength = 64 * 1024;

    void Form_Load();

    TerminalSession &session() const { return *m_session; }

    // Closes the port and opens it again on the stored port number and settings. Throws
    // RunTimeError as opening does; a port left closed is first shown closed.
    void reopenPort();
    // Sets the hexadecimal send button for a send mode ("0" single, "1" continuous); choosing
    // single stops a continuous send, choosing continuous lets a running one go on.
    void applySendMode(const QString &mode);

    QPushButton *CmdSend(int index) const { return m_cmdSend.at(size_t(index)); }

    void cmdPort_Click();
    void CmdSend_Click(int index);

Q_SIGNALS:
    // A status bar panel (numbered from 1) should now read text.
    void panelTextChanged(int panel, const QString &text);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void connectHandlers();
    void openPort();
    void showPortOpen();
    // Closing steps after the port itself is closed: shared flag, continuous sending, caption,
    // panel 6. Also used when the port was lost or could not be reopened.
    void showPortClosed();
    void stopContinuousSending();
    void showPortError(const RunTimeError &error);
    // The send trap's box: a full output queue says how much still waits, the rest is bad data.
    void showSendError(int number);
    void timerSend_Failed(int number);
    void lineChanged(qint16 event, bool on);
    // The checks every send button makes first; false once it has shown why not.
    bool lineReady(const QString &text);

    void cmdReceive_Click();
    void CmdExit_Click();
    void cmdOpt1_Click();
    void cmdOpt3_Click();
    void Form_QueryUnload(bool &cancel);
    void Comm1_ConnectionLost(const PortFailure &why);

    TerminalSession *m_session = nullptr;

    QGroupBox *Frame1 = nullptr;
    SendLine *CobSend1 = nullptr;
    SendLine *CobSend2 = nullptr;
    SendLine *CobSend3 = nullptr;
    std::array<QPushButton *, 3> m_cmdSend {};
    QButtonGroup *m_cmdSendGroup = nullptr;
    QPushButton *cmdOpt1 = nullptr;
    QPushButton *cmdOpt3 = nullptr;
    std::array<QLabel *, 6> Label3 {};
    QGroupBox *Frame3 = nullptr;
    QLabel *LbSD = nullptr;
    QLabel *LbRD = nullptr;
    QLabel *LbCTS = nullptr;
    QLabel *LbDSR = nullptr;
    QLabel *LblDCD = nullptr;
    QLabel *LbRI = nullptr;
    LampShape *spSD = nullptr;
    LampShape *spRD = nullptr;
    LampShape *spCTS = nullptr;
    LampShape *spDSR = nullptr;
    LampShape *spDCD = nullptr;
    LampShape *spRI = nullptr;
    QToolButton *cmdRec = nullptr;
    QToolButton *cmdPrint = nullptr;
    QToolButton *cmdPort = nullptr;
    QToolButton *cmdReceive = nullptr;
    QToolButton *CmdExit = nullptr;
    QGroupBox *Frame2 = nullptr;
    std::array<ReceiveView *, 3> txtReceive {};
};
