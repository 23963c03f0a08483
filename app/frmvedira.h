// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Who owns what:
// - Module1 (settings/) holds the shared state and the settings file; every window reads it.
// - frmVedira (app/) is the frame and the composition root: the menu, the status bar Stb1, and
//   at most one each of frmSet, frmRun, frmCheck, frmAscii and frmCRCbook in its MDI area, made
//   on first request (closing hides frmRun and frmCheck and destroys the others). It builds the
//   terminal's port and wires the windows: they do not know the frame, but signal the panel texts
//   and the CRC help request, and frmSet reopens the port through a callback the frame sets,
//   which calls frmRun::reopenPort while the terminal exists. What reaches outside the program
//   (ending it, starting the calculator, making the port, finding devices) comes in as Seams.
// - frmRun (terminal/) is the terminal window over its TerminalSession, which owns the one serial
//   port Comm1 and the receive log and holds the send, receive and continuous-send rules; the
//   window owns the send lines, the lamps and the three views of the log, and its option dialogs
//   frmOpt1 and frmOpt3 live only while they are open.
// - frmCheck, frmAscii, frmCRCbook and the modal frmAbout (tools/) own nothing shared.
// - Message boxes go through MessageBox (ui/messagebox.h).

#include "settings/portmapmenu.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QAction;

class frmSet;
class frmRun;
class frmCheck;
class frmAscii;
class frmCRCbook;
class frmShow;
class SerialPort;

class frmVedira : public QMainWindow
{
    Q_OBJECT
public:
    // What the frame does outside the program and hands to the windows it makes. Each one left
    // empty is the real one.
    struct Seams
    {
        // Ends the program at once, without any window's close handling.
        std::function<void()> quit {};
        // Starts a program without waiting; false when it could not be started.
        std::function<bool(const QString &)> startDetached {};
        // Makes the port the terminal window will own: the real one on the ports folder.
        std::function<std::unique_ptr<SerialPort>()> portFactory {};
        // The serial devices the port menus offer.
        PortMapMenu::Detect detectDevices {};
    };

    frmVedira();
    explicit frmVedira(Seams seams);
    ~frmVedira() override;

    // When the splash's time is up, loads the frame, ends the splash and shows the frame
    // maximised.
    void startAfter(frmShow *splash);

    void MDIForm_Load();

    // Status bar panels, numbered 1 to 6.
    void setPanelText(int panel, const QString &text);

    void memSet_Click();
    void memRun_Click();
    void memCheck_Click();
    void memASC_Click();
    void memCalc_Click();
    void memAbout2_Click();
    void memEnd_Click();

    static QStringList calculatorCandidates();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void connectHandlers();
    // The one rule for child windows: show the loaded one, or create, wire and load it first.
    template<class Form> Form *showChild(QPointer<Form> &slot);
    template<class Form> Form *newChild();
    void embed(QWidget *form);
    void connectChild(frmSet *set);
    void connectChild(frmRun *run);
    void connectChild(frmCheck *check);
    void connectChild(QWidget *) { }
    void activate(QWidget *form);
    void MDIForm_QueryUnload(bool &cancel);
    void confirmExit();
    void refreshWindowMenu();
    void refreshClock();

    Seams m_seams;
    QMdiArea *m_mdiArea = nullptr;
    QAction *memSet = nullptr;
    QAction *memRun = nullptr;
    QAction *memModem = nullptr;
    QAction *memCheck = nullptr;
    QAction *memASC = nullptr;
    QAction *memCalc = nullptr;
    QMenu *memWindow = nullptr;
    QMenu *memAbout = nullptr;
    QAction *memAbout1 = nullptr;
    QAction *memAbout2 = nullptr;
    QAction *memEnd = nullptr;
    std::array<QLabel *, 6> m_panels {};
    QTimer *m_clock = nullptr;

    QPointer<frmSet> m_frmSet;
    QPointer<frmRun> m_frmRun;
    QPointer<frmCheck> m_frmCheck;
    QPointer<frmAscii> m_frmAscii;
    QPointer<frmCRCbook> m_frmCRCbook;
};
