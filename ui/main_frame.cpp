#include "ui/main_frame.h"

#include "scene/gl_scene.h"
#include "timesync/time_query.h"
#include "ui/command_ui.h"
#include "ui/control_ids.h"
#include "ui/delta_warning_box.h"
#include "ui/elevated_correction.h"
#include "ui/status_bar.h"
#include "ui/viewpoint_keys.h"
#include "ui/window_settings.h"
#include "ui/window_texts.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace {
QPushButton* MakeButton(QWidget* parent, const char* caption, int id, const char* objectName) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(objectName);
    button->setProperty(kControlIdProperty, id);
    // Clicking a button must not keep the focus away from the 3D view's keys for long;
    // the query start gives it back.
    button->setFocusPolicy(Qt::ClickFocus);
    return button;
}
} // namespace

CMainFrame::CMainFrame() {
    setObjectName("mainFrame");
    setWindowTitle(QStringLiteral("%1 by %2").arg(kProductName, kMakerContact));
    setWindowIcon(QIcon(QStringLiteral(":/icons/horolux.svg")));
    setAttribute(Qt::WA_DeleteOnClose);

    m_wndStatusBar = new CStatusBar(this);
    setStatusBar(m_wndStatusBar);

    // Between the buttons the window is black until the scene draws over it.
    m_pClient = new QWidget(this);
    m_pClient->setObjectName("client");
    m_pClient->setFocusPolicy(Qt::StrongFocus);
    QPalette black = m_pClient->palette();
    black.setColor(QPalette::Window, Qt::black);
    m_pClient->setPalette(black);
    m_pClient->setAutoFillBackground(true);
    m_pClient->installEventFilter(this);
    setCentralWidget(m_pClient);

    m_pScene = new CGLScene(m_pClient);
    m_pBtnQuery = MakeButton(m_pClient, kQueryButtonCaption, IDC_QUERY, "btnQuery");
    m_pBtnCorrect = MakeButton(m_pClient, kCorrectButtonCaption, IDC_CORRECT, "btnCorrect");
    connect(m_pBtnQuery, &QPushButton::clicked, this, &CMainFrame::OnQueryTimebase);
    connect(m_pBtnCorrect, &QPushButton::clicked, this, &CMainFrame::OnCorrectClock);
    m_pElevated = std::make_unique<CElevatedCorrection>(*this);
    m_pQuery = std::make_unique<CTimeQuery>(*this);
    // Menus, their prompts, the F1 key, the tray icon and the client-area popup.
    m_pCommandUi = new CCommandUi({*this, *m_wndStatusBar, *m_pScene, [this] { OnAppExit(); },
                                   [this] { OnReset(); }, [this] { OnTrayCorrectClock(); }});

    resize(kInitialWidth, kInitialHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        screen->availableGeometry()));
    }

    m_tickTimer.setInterval(kTickPeriodMs);
    connect(&m_tickTimer, &QTimer::timeout, this, &CMainFrame::OnTimer);
    m_tickTimer.start();
    m_pClient->setFocus();
}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pClient && event->type() == QEvent::Resize) {
        OnSize();
    }
    if (watched == m_pClient && event->type() == QEvent::KeyPress) {
        // Every key stops here: the viewpoint keys act, all others do nothing.
        OnKeyDown(static_cast<QKeyEvent*>(event)->key());
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::OnSize() {
    // The status bar is laid out by the window; the client is the area above it.
    const QRect client = m_pClient->rect();
    m_pBtnQuery->setGeometry(client.left(), client.top(), client.width(), kButtonHeight);
    m_pBtnCorrect->setGeometry(client.left(), client.bottom() + 1 - kButtonHeight, client.width(),
                               kButtonHeight);
    // The scene's rectangle keeps the Correct button's strip; the button lies over it.
    const QRect sceneRect(QPoint(client.left(), client.top() + kButtonHeight),
                          QPoint(client.right(), client.bottom()));
    m_pScene->Resize(sceneRect);
    m_pBtnQuery->raise();
    m_pBtnCorrect->raise();
}

void CMainFrame::OnTimer() {
    StepFlyIn(*m_pScene);
    m_pScene->RenderFrame(g_bTextOnly != 0);
    if (!m_pQuery) {
        return;
    }
    m_pQuery->Tick();
    if (m_bAutoCorrect) {
        m_bAutoCorrect = false;
        m_pQuery->OnCorrectClock();
        m_pQuery->SetExitWhenDone();
    }
    // Ticks missed during a long frame are not made up: QTimer fires once after a stall
    // and counts on from then, so nothing queued needs dropping.
}

void CMainFrame::OnKeyDown(int key) {
    OnViewpointKey(*m_pScene, key);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    OnClose();
    event->accept();
}

void CMainFrame::OnClose() {
    // The worker is woken and joined and the socket closed now, not when the window is
    // deleted later.
    m_tickTimer.stop();
    m_pQuery.reset();
}

void CMainFrame::OnAppExit() {
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

// Commands that arrive after the close find no query and do nothing.
void CMainFrame::OnQueryTimebase() {
    if (m_pQuery) {
        m_pQuery->OnQueryTimebase();
    }
}
void CMainFrame::OnCorrectClock() {
    if (m_pQuery) {
        m_pQuery->OnCorrectClock();
    }
}
void CMainFrame::OnReset() {
    if (m_pQuery) {
        m_pQuery->OnReset();
    }
}
void CMainFrame::OnTrayCorrectClock() {
    if (m_pQuery) {
        m_pQuery->OnTrayCorrectClock();
    }
}

void CMainFrame::ShowStatusText(const QString& text) {
    m_wndStatusBar->ShowPaneText(text);
}
void CMainFrame::EnableQueryButton(bool enable) {
    m_pBtnQuery->setEnabled(enable);
}
void CMainFrame::EnableCorrectButton(bool enable) {
    m_pBtnCorrect->setEnabled(enable);
}
void CMainFrame::TakeFocus() {
    m_pClient->setFocus();
}
void CMainFrame::ShowProgress(int position) {
    m_wndStatusBar->Progress()->setValue(position);
}
void CMainFrame::PostDeltaWarning() {
    // Queued on this window: dropped if the window is gone before it runs.
    QMetaObject::invokeMethod(
        this, [this] { ShowDeltaWarningBox(this); }, Qt::QueuedConnection);
}
void CMainFrame::QueryEnded(const QueryOutcome& outcome) {
    m_pElevated->OnQueryEnded(outcome, m_bUnattended);
}
void CMainFrame::PostClose() {
    OnAppExit();
}
