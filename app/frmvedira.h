// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Who owns what:
// - Module1 (settings/) holds the shared state and the settings file; every window reads it.
// - frmVedira is the frame: the menu, the status bar Stb1 and the single instance of every child
//   window. Other windows reach it through frmVedira::instance() to write a panel or to show a
//   sibling window.
// - frmRun (terminal/) owns the one serial port Comm1, the receive log and its three views, and
//   the send lines. frmSet reaches the port only through frmRun.
// - frmCheck, frmAscii, frmCRCbook and frmAbout (tools/) own nothing shared.
// - Message boxes go through MessageBox (app/messagebox.h).

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>

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

class frmVedira : public QMainWindow
{
    Q_OBJECT
public:
    frmVedira();
    ~frmVedira() override;

    // The frame, once it exists; nullptr before the splash has shown it.
    static frmVedira *instance();

    void MDIForm_Load();

    // Status bar panels, numbered 1 to 6.
    void setPanelText(int panel, const QString &text);
    QString panelText(int panel) const;

    QMdiArea *mdiArea() const { return m_mdiArea; }

    // The one rule for child windows: show the loaded one, or create and load it first.
    template<class Form> Form *showChild(QPointer<Form> &slot)
    {
        if (!slot) {
            slot = new Form;
            embed(slot);
            slot->Form_Load();
        }
        activate(slot);
        return slot;
    }

    // The terminal window, once "執行" has created it.
    frmRun *runWindow() const;

    void memSet_Click();
    void memRun_Click();
    void memCheck_Click();
    void memASC_Click();
    void memCalc_Click();
    void memAbout2_Click();
    void memEnd_Click();

    // Ends the program at once, without any window's close handling. Tests replace it.
    static inline std::function<void()> Quit;
    // Starts a program without waiting; false when it could not be started. Tests replace it.
    static inline std::function<bool(const QString &)> StartDetached;

    static QStringList calculatorCandidates();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void connectHandlers();
    void embed(QWidget *form);
    void activate(QWidget *form);
    void MDIForm_QueryUnload(bool &cancel);
    bool confirmExit();
    void refreshWindowMenu();
    void refreshClock();

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
};
