// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmvedira.h"

#include "app/frmshow.h"
#include "core/programfolders.h"
#include "resources/icons.h"
#include "serial/qserialportadapter.h"
#include "settings/frmset.h"
#include "settings/module1.h"
#include "terminal/frmrun.h"
#include "tools/frmabout.h"
#include "tools/frmascii.h"
#include "tools/frmcheck.h"
#include "tools/frmcrcbook.h"
#include "ui/mdichild.h"
#include "ui/messagebox.h"
#include "ui/twips.h"
#include "ui/uitexts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProcess>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTime>
#include <QTimer>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {
constexpr std::array<int, 6> PanelTwips {1000, 1440, 1440, 1440, 2000, 1440};

bool startMinimised(const QString &program)
{
    QProcess process;
    process.setProgram(program);
#ifdef Q_OS_WIN
    // Window style 2: minimised and holding the focus. X11 has no such request at start-up.
    process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments *args) {
        args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        args->startupInfo->wShowWindow = SW_SHOWMINIMIZED;
    });
#endif
    return process.startDetached();
}
} // namespace

frmVedira::frmVedira()
    : frmVedira(Seams {})
{ }

frmVedira::frmVedira(Seams seams)
    : m_seams(std::move(seams))
{
    if (!m_seams.quit)
        m_seams.quit = [] { QCoreApplication::exit(0); };
    if (!m_seams.startDetached)
        m_seams.startDetached = startMinimised;
    if (!m_seams.portFactory)
        m_seams.portFactory
            = [] { return std::make_unique<QSerialPortAdapter>(ProgramFolders::ports()); };
    if (!m_seams.detectDevices)
        m_seams.detectDevices = PortMapMenu::presentDevices;
    setObjectName(QStringLiteral("frmVedira"));
    buildControls();
    connectHandlers();
}

frmVedira::~frmVedira() = default;

void frmVedira::startAfter(frmShow *splash)
{
    // The tick that calls this is the splash's last: unload stops its timer.
    connect(splash, &frmShow::timeUp, this, [this, splash] {
        MDIForm_Load();
        splash->unload();
        showMaximized();
    });
}

template<class Form> Form *frmVedira::newChild()
{
    return new Form;
}

template<> frmSet *frmVedira::newChild<frmSet>()
{
    return new frmSet(m_seams.detectDevices);
}

template<> frmRun *frmVedira::newChild<frmRun>()
{
    return new frmRun(m_seams.portFactory());
}

void frmVedira::buildControls()
{
    setWindowTitle(QStringLiteral("VEDIRA通訊測試"));
    setWindowIcon(Icons::application());

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("MDIClient"));
    setCentralWidget(m_mdiArea);

    QMenuBar *bar = menuBar();
    memSet = bar->addAction(QStringLiteral("設定(&S)"));
    memRun = bar->addAction(QStringLiteral("執行(&R)"));
    memModem = bar->addAction(QStringLiteral("數據機(&M)"));
    memCheck = bar->addAction(QStringLiteral("檢查碼(&B)"));
    memASC = bar->addAction(QStringLiteral("ASCII碼(I)"));
    memCalc = bar->addAction(QStringLiteral("計算機(&C)"));
    memWindow = bar->addMenu(QStringLiteral("視窗(&W)"));
    memAbout = bar->addMenu(QStringLiteral("說明(&A)"));
    memAbout1 = memAbout->addAction(QStringLiteral("內容"));
    memAbout->addSeparator()->setObjectName(QStringLiteral("line3"));
    memAbout2 = memAbout->addAction(QStringLiteral("關於"));
    memEnd = bar->addAction(QStringLiteral("結束(&E)"));
    memModem->setEnabled(false);
    memAbout1->setEnabled(false);
    memSet->setObjectName(QStringLiteral("memSet"));
    memRun->setObjectName(QStringLiteral("memRun"));
    memModem->setObjectName(QStringLiteral("memModem"));
    memCheck->setObjectName(QStringLiteral("memCheck"));
    memASC->setObjectName(QStringLiteral("memASC"));
    memCalc->setObjectName(QStringLiteral("memCalc"));
    memWindow->setObjectName(QStringLiteral("memWindow"));
    memAbout->setObjectName(QStringLiteral("memAbout"));
    memAbout1->setObjectName(QStringLiteral("memAbout1"));
    memAbout2->setObjectName(QStringLiteral("memAbout2"));
    memEnd->setObjectName(QStringLiteral("memEnd"));

    QStatusBar *stb = statusBar();
    stb->setObjectName(QStringLiteral("Stb1"));
    stb->setSizeGripEnabled(false);
    for (size_t i = 0; i < m_panels.size(); ++i) {
        auto *panel = new QLabel(stb);
        panel->setObjectName(QStringLiteral("Stb1_Panel%1").arg(i + 1));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // Port, settings and port state keep their width. In a frame narrower than all six, date
        // and time share what is left; the empty panel takes only what they leave.
        const bool clock = i == 2 || i == 3, spare = i == 4;
        if (clock || spare) {
            panel->setMaximumWidth(twipsToPixels(PanelTwips[i]));
            panel->setSizePolicy(
                spare ? QSizePolicy::Expanding : QSizePolicy::Ignored, QSizePolicy::Preferred);
        } else {
            panel->setFixedWidth(twipsToPixels(PanelTwips[i]));
        }
        stb->addWidget(panel, clock ? 1 : 0);
        m_panels[i] = panel;
    }
    // The designed client area lies below the menu bar; the status bar stands inside it.
    const QSize client = twipsSize(6195, 4425);
    resize(client.width(), client.height() + bar->sizeHint().height());

    m_clock = new QTimer(this);
    m_clock->setInterval(1000);
    m_clock->start();
    refreshClock();
}

void frmVedira::connectHandlers()
{
    connect(memSet, &QAction::triggered, this, &frmVedira::memSet_Click);
    connect(memRun, &QAction::triggered, this, &frmVedira::memRun_Click);
    connect(memCheck, &QAction::triggered, this, &frmVedira::memCheck_Click);
    connect(memASC, &QAction::triggered, this, &frmVedira::memASC_Click);
    connect(memCalc, &QAction::triggered, this, &frmVedira::memCalc_Click);
    connect(memAbout2, &QAction::triggered, this, &frmVedira::memAbout2_Click);
    connect(memEnd, &QAction::triggered, this, &frmVedira::memEnd_Click);
    connect(memWindow, &QMenu::aboutToShow, this, &frmVedira::refreshWindowMenu);
    connect(m_clock, &QTimer::timeout, this, &frmVedira::refreshClock);
}

void frmVedira::MDIForm_Load()
{
    Module1::LoadSettings();
    setPanelText(1, QStringLiteral("COM") + Module1::ComPortNo);
    setPanelText(2, Module1::ComSetting);
    setPanelText(6, UiTexts::PanelPortClosed);
}

void frmVedira::setPanelText(int panel, const QString &text)
{
    m_panels.at(size_t(panel - 1))->setText(text);
}

void frmVedira::refreshClock()
{
    const QLocale locale = QLocale::system();
    setPanelText(3, locale.toString(QDate::currentDate(), QLocale::ShortFormat));
    setPanelText(4, locale.toString(QTime::currentTime(), QLocale::ShortFormat));
}

template<class Form> Form *frmVedira::showChild(QPointer<Form> &slot)
{
    if (!slot) {
        slot = newChild<Form>();
        embed(slot);
        // Wired before the load, which already reports the port's state.
        connectChild(slot);
        slot->Form_Load();
    }
    activate(slot);
    return slot;
}

void frmVedira::connectChild(frmSet *set)
{
    connect(set, &frmSet::panelTextChanged, this, &frmVedira::setPanelText);
    set->setReopenPort([this] {
        if (m_frmRun)
            m_frmRun->reopenPort();
    });
}

void frmVedira::connectChild(frmRun *run)
{
    connect(run, &frmRun::panelTextChanged, this, &frmVedira::setPanelText);
}

void frmVedira::connectChild(frmCheck *check)
{
    connect(check, &frmCheck::crcHelpRequested, this, [this] { showChild(m_frmCRCbook); });
}

void frmVedira::embed(QWidget *form)
{
    // Every child window has a fixed border and no maximise button.
    auto *sub = new QMdiSubWindow(m_mdiArea,
        Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWidget(form);
    sub->setWindowIcon(form->windowIcon().isNull() ? Icons::application() : form->windowIcon());
    m_mdiArea->addSubWindow(sub);
    sub->setFixedSize(sub->sizeHint());
}

void frmVedira::activate(QWidget *form)
{
    QWidget *frame = MdiChild::frameOf(form);
    frame->show();
    if (auto *sub = qobject_cast<QMdiSubWindow *>(frame))
        m_mdiArea->setActiveSubWindow(sub);
    form->activateWindow();
}

void frmVedira::refreshWindowMenu()
{
    memWindow->clear();
    const auto windows = m_mdiArea->subWindowList();
    for (QMdiSubWindow *sub : windows) {
        if (!sub->isVisible())
            continue;
        QAction *a = memWindow->addAction(sub->windowTitle());
        a->setCheckable(true);
        a->setChecked(sub == m_mdiArea->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, sub = QPointer<QMdiSubWindow>(sub)] {
            if (sub)
                m_mdiArea->setActiveSubWindow(sub);
        });
    }
}

void frmVedira::memSet_Click()
{
    showChild(m_frmSet);
}

void frmVedira::memRun_Click()
{
    showChild(m_frmRun);
}

void frmVedira::memCheck_Click()
{
    showChild(m_frmCheck);
}

void frmVedira::memASC_Click()
{
    showChild(m_frmAscii);
}

void frmVedira::memAbout2_Click()
{
    frmAbout about(this);
    about.Form_Load();
    about.exec();
}

QStringList frmVedira::calculatorCandidates()
{
#ifdef Q_OS_WIN
    return {QStringLiteral("calc.exe")};
#else
    return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
        QStringLiteral("mate-calc"), QStringLiteral("galculator"), QStringLiteral("qalculate-gtk"),
        QStringLiteral("xcalc")};
#endif
}

void frmVedira::memCalc_Click()
{
    for (const QString &name : calculatorCandidates()) {
#ifndef Q_OS_WIN
        if (QStandardPaths::findExecutable(name).isEmpty())
            continue;
#endif
        if (m_seams.startDetached(name))
            return;
    }
    MessageBox::error(this, UiTexts::CalcFailed);
}

void frmVedira::confirmExit()
{
    const auto answer = MessageBox::show(this,
        {UiTexts::ExitTitle, UiTexts::ExitPrompt, QMessageBox::Question,
            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes});
    if (answer == QMessageBox::Yes)
        m_seams.quit();
}

void frmVedira::memEnd_Click()
{
    confirmExit();
}

void frmVedira::MDIForm_QueryUnload(bool &cancel)
{
    // Even Yes cancels the close: the program ends through the quit seam, so no window's own close
    // handling runs on the way out.
    confirmExit();
    cancel = true;
}

void frmVedira::closeEvent(QCloseEvent *event)
{
    bool cancel = false;
    MDIForm_QueryUnload(cancel);
    if (cancel)
        event->ignore();
}
