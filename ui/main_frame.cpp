#include "ui/main_frame.h"

#include "history/measurement_row_of.h"
#include "scene/gl_scene.h"
#include "timesync/clock_correction.h"
#include "timesync/query_outcome.h"
#include "timesync/status_texts.h"
#include "timesync/time_query.h"
#include "timesync/time_sync_hooks.h"
#include "ui/check_interval.h"
#include "ui/command_ui.h"
#include "ui/control_ids.h"
#include "ui/correction_questions.h"
#include "ui/delta_warning_box.h"
#include "ui/elevated_correction.h"
#include "ui/focus_frame_style.h"
#include "ui/history_window.h"
#include "ui/history_worker.h"
#include "ui/main_menus.h"
#include "ui/query_settings.h"
#include "ui/result_icon.h"
#include "ui/result_notes.h"
#include "ui/status_bar.h"
#include "ui/system_time_reader.h"
#include "ui/tray_icon.h"
#include "ui/viewpoint_keys.h"
#include "ui/window_geometry.h"
#include "ui/window_keys.h"
#include "ui/window_settings.h"
#include "ui/window_texts.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QWindow>
#include <algorithm>
#include <utility>

namespace {
const QKeySequence kQueryKey(Qt::Key_F5);
const QKeySequence kCorrectKey(Qt::CTRL | Qt::SHIFT | Qt::Key_C);
const QKeySequence kHistoryKey(Qt::CTRL | Qt::Key_H);

QPushButton* MakeButton(QWidget* parent, const char* caption, const char* objectName,
                        const QKeySequence& key, QStyle* style) {
    auto* button = new QPushButton(QCoreApplication::translate("window", caption), parent);
    button->setObjectName(objectName);
    button->setStyle(style);
    // Tab reaches the buttons, a click leaves the focus with the 3D view's keys, and the
    // query start gives it back to them.
    button->setFocusPolicy(Qt::TabFocus);
    button->setAutoDefault(true); // Enter presses the focused button, as Space does
    button->setToolTip(
        QStringLiteral("%1 (%2)").arg(button->text(), key.toString(QKeySequence::NativeText)));
    button->setAccessibleName(button->text());
    button->setAccessibleDescription(button->toolTip());
    return button;
}
} // namespace

CMainFrame::CMainFrame() {
    setObjectName("mainFrame");
    setWindowTitle(tr("%1 by %2").arg(kProductName, kMakerContact));
    setWindowIcon(QIcon(QStringLiteral(":/icons/horolux.svg")));
    setAttribute(Qt::WA_DeleteOnClose);

    m_wndStatusBar = new CStatusBar(this);
    setStatusBar(m_wndStatusBar);

    // Between the buttons the window is black until the scene draws over it.
    m_pClient = new QWidget(this);
    m_pClient->setObjectName("client");
    m_pClient->setFocusPolicy(Qt::StrongFocus);
    // The focus rests here at the start and after the buttons: a screen reader names it.
    m_pClient->setAccessibleName(tr("Clock view"));
    m_pClient->setAccessibleDescription(
        tr("The arrow keys, Page Up, Page Down and Home move the viewpoint"));
    QPalette black = m_pClient->palette();
    black.setColor(QPalette::Window, Qt::black);
    m_pClient->setPalette(black);
    m_pClient->setAutoFillBackground(true);
    setCentralWidget(m_pClient);

    m_pScene = new CGLScene(m_pClient);
    auto* buttonStyle = new CFocusFrameStyle();
    buttonStyle->setParent(this);
    m_pBtnQuery = MakeButton(m_pClient, kQueryButtonCaption, "btnQuery", kQueryKey, buttonStyle);
    m_pBtnCorrect =
        MakeButton(m_pClient, kCorrectButtonCaption, "btnCorrect", kCorrectKey, buttonStyle);
    connect(m_pBtnQuery, &QPushButton::clicked, this, &CMainFrame::OnQueryTimebase);
    connect(m_pBtnCorrect, &QPushButton::clicked, this, &CMainFrame::OnCorrectClock);
    // The window's minimum follows: the buttons' captions, the view, and the status bar.
    m_pClient->setMinimumSize(
        std::max(m_pBtnQuery->sizeHint().width(), m_pBtnCorrect->sizeHint().width()),
        2 * kButtonHeight + kMinimumViewHeight);
    // Only now: the client's resize and key handling reach the children made above.
    m_pClient->installEventFilter(this);
    // Once the helper has set the clock, the hint on getting the right no longer applies;
    // the tray's tip follows pane 0 to what came of it.
    m_pElevated = std::make_unique<CElevatedCorrection>(*this, [this](bool corrected) {
        if (corrected) {
            m_wndStatusBar->SetQueryNote(QString());
        }
        m_pCommandUi->Tray().ShowResult(m_wndStatusBar->PaneText(), false);
    });
    m_pHistory = std::make_unique<CHistoryWorker>();
    m_pQuery = std::make_unique<CTimeQuery>(*this);
    // Menus, their prompts, the F1 key, the tray icon and the client-area popup.
    m_pCommandUi = new CCommandUi({*this, *m_wndStatusBar, *m_pScene, [this] { OnAppExit(); },
                                   [this] { OnReset(); }, [this] { OnTrayCorrectClock(); },
                                   [this] { OnShowHistory(); }});
    // A disabled button ignores its key as it ignores a click.
    AddWindowKeys(*this, {
                             {"keyQuery", {kQueryKey}, [this] { m_pBtnQuery->click(); }},
                             {"keyCorrect", {kCorrectKey}, [this] { m_pBtnCorrect->click(); }},
                             {"keyReset", {Qt::Key_Escape}, [this] { OnEscape(); }},
                             {"keyPopup",
                              {QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)},
                              [this] { OpenPopupAtViewCentre(); }},
                             {"keyMenuBar", {Qt::Key_F10}, [this] { OpenMenuBar(); }},
                             {"keyHistory", {kHistoryKey}, [this] { OnShowHistory(); }},
                         });

    // Without a window manager the frame is the window; with one, the first ticks that
    // know its decorations fit the frame again (FitFrame).
    resize(kInitialWidth, kInitialHeight);
    CentreFrame();
    if (RestoreWindowGeometry(*this)) {
        m_nFitTicksLeft = 0; // the size and place the user left it at, decorations included
    }

    m_tickTimer.setInterval(kTickPeriodMs);
    connect(&m_tickTimer, &QTimer::timeout, this, &CMainFrame::OnTimer);
    m_tickTimer.start();
    connect(&m_checkTimer, &QTimer::timeout, this, &CMainFrame::OnCheckTimer);
    m_pClient->setFocus();
    RefreshSystemTime();
}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pClient && event->type() == QEvent::Resize) {
        OnSize();
    }
    if (watched == m_pClient && event->type() == QEvent::KeyPress) {
        // Every key but Tab stops here: the viewpoint keys act, all others do nothing.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            return false;
        }
        OnKeyDown(key);
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

void CMainFrame::CentreFrame() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize frame = frameGeometry().size();
        move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, frame,
                                 screen->availableGeometry())
                 .topLeft());
    }
}

void CMainFrame::FitFrame() {
    // The initial size counts the decorations; they are known only once the window manager
    // has framed the window, shortly after the first show. Later sizes are the user's.
    if (m_nFitTicksLeft == 0 || !isVisible() || !windowHandle()) {
        return;
    }
    --m_nFitTicksLeft;
    const QMargins margins = windowHandle()->frameMargins();
    if (margins.isNull()) {
        return;
    }
    m_nFitTicksLeft = 0;
    resize(kInitialWidth - margins.left() - margins.right(),
           kInitialHeight - margins.top() - margins.bottom());
    CentreFrame();
}

void CMainFrame::OnTimer() {
    FitFrame();
    StepFlyIn(*m_pScene);
    m_pScene->RenderFrame(g_bTextOnly != 0);
    if (!m_pQuery) {
        return;
    }
    m_pQuery->Tick();
    FollowCheckInterval();
    m_pCommandUi->Tray().UpdateResultAge();
    if (std::exchange(m_bAutoCorrect, false)) {
        m_pQuery->Start(WindowQueryConfig(true));
        m_pQuery->SetExitWhenDone();
    }
    // Ticks missed during a long frame are not made up: QTimer fires once after a stall
    // and counts on from then, so nothing queued needs dropping.
}

void CMainFrame::FollowCheckInterval() {
    const int ms = g_nCheckInterval * checkSecondMs;
    if (ms == m_nCheckMs) {
        return;
    }
    m_nCheckMs = ms;
    m_checkTimer.stop();
    if (ms > 0) {
        m_checkTimer.start(ms);
    }
}

void CMainFrame::OnCheckTimer() {
    // Never a correction, and never in the way of the user's own query.
    if (m_pQuery && !m_pQuery->IsPending() && !m_bAsking) {
        m_pQuery->Start(WindowQueryConfig(false));
    }
}

void CMainFrame::OnKeyDown(int key) {
    OnViewpointKey(*m_pScene, key);
}

void CMainFrame::OnEscape() {
    // Reset's text appears only when there was a query to end.
    if (m_pQuery && m_pQuery->IsPending()) {
        m_pQuery->OnReset();
    }
}

void CMainFrame::OpenPopupAtViewCentre() {
    QMenu* popup = m_pCommandUi->Menus().Popup();
    const QPoint centre = m_pScene->mapToGlobal(m_pScene->rect().center());
    popup->popup(centre - QPoint(popup->sizeHint().width() / 2, 0));
}

void CMainFrame::OpenMenuBar() {
    QMenuBar* bar = m_pCommandUi->Menus().MainMenuBar();
    if (!bar->actions().isEmpty()) {
        bar->setActiveAction(bar->actions().first());
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    OnClose();
    event->accept();
}

void CMainFrame::OnClose() {
    // The unattended correction's window was placed by nobody: it leaves the file alone.
    if (!m_bUnattended) {
        SaveWindowGeometry(*this);
    }
    // The socket is closed now, not when the window is deleted later.
    m_tickTimer.stop();
    m_checkTimer.stop();
    m_pQuery.reset();
}

void CMainFrame::OnAppExit() {
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

// Commands that arrive after the close find no query and do nothing.
void CMainFrame::OnQueryTimebase() {
    if (m_pQuery) {
        m_pQuery->Start(WindowQueryConfig(false));
    }
}
void CMainFrame::OnCorrectClock() {
    // The question's event loop may see the window close: the query is looked for again.
    if (m_pQuery && ServiceAllowsCorrect() && m_pQuery) {
        QueryConfig config = WindowQueryConfig(true);
        config.askBeforeLargeStep = true;
        m_pQuery->Start(config);
    }
}
void CMainFrame::OnReset() {
    if (m_pQuery) {
        m_pQuery->OnReset();
    }
}
void CMainFrame::OnTrayCorrectClock() {
    if (m_pQuery && ServiceAllowsCorrect() && m_pQuery) {
        m_bFromTray = true;
        QueryConfig config = WindowQueryConfig(true);
        config.askBeforeLargeStep = true;
        m_pQuery->OnTrayCorrectClock(config);
    }
}

CHistoryWindow* CMainFrame::HistoryWindow() const {
    return m_pHistoryWindow;
}

void CMainFrame::OnShowHistory() {
    if (!m_pHistoryWindow) {
        m_pHistoryWindow = new CHistoryWindow(*m_pHistory, this);
        m_pHistoryWindow->setAttribute(Qt::WA_DeleteOnClose);
    }
    RefreshSystemTime();
    m_pHistoryWindow->show();
    m_pHistoryWindow->raise();
    m_pHistoryWindow->activateWindow();
}

void CMainFrame::ShowStatusText(const QString& text) {
    // Each start of a query, and each restart after a silence, creates a socket first.
    if (text == QString::fromStdString(Translated(texts::kSocketCreated))) {
        m_wndStatusBar->SetQueryNote(tr("Attempt %1").arg(++m_nAttempt));
    }
    m_wndStatusBar->ShowPaneText(text, CStatusBar::Announce::WhenSettled);
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
    // Shown with the amount once the query's end brings its measurement.
    m_bDeltaWarningDue = true;
}
void CMainFrame::QueryEnded(const QueryOutcome& outcome) {
    m_nAttempt = 0;
    if (std::exchange(m_bDeltaWarningDue, false) && outcome.measurement) {
        // Queued on this window: dropped if the window is gone before it runs. A clock
        // already corrected is not offered a second correction.
        std::function<void()> correctNow;
        if (outcome.result == QueryOutcome::Result::Answered) {
            correctNow = [this] { OnCorrectClock(); };
        }
        QMetaObject::invokeMethod(
            this,
            [this, offset = outcome.measurement->offset, correctNow] {
                ShowDeltaWarningBox(this, offset, correctNow);
            },
            Qt::QueuedConnection);
    }
    // The result is said once, when it is in.
    m_wndStatusBar->AnnouncePaneText();
    if (!m_pQuery) {
        return;
    }
    const QueryConfig config = m_pQuery->Config();
    if (outcome.largeStepToConfirm) {
        // Asked once this handler has returned; the measurement keeps until the answer.
        QMetaObject::invokeMethod(
            this, [this, outcome, config] { AskLargeStep(outcome, config); }, Qt::QueuedConnection);
        return;
    }
    KeepResult(outcome, config);
}

void CMainFrame::AskLargeStep(QueryOutcome outcome, const QueryConfig& config) {
    if (Ask("largeStepQuestion", LargeStepQuestionText(outcome.measurement->offset)) && m_pQuery) {
        ReplyDecision decision;
        decision.outcome = std::move(outcome);
        decision = Corrected(std::move(decision), Hooks());
        outcome = std::move(decision.outcome);
        m_wndStatusBar->ShowPaneText(QString::fromStdString(decision.text));
    }
    KeepResult(outcome, config);
}

void CMainFrame::KeepResult(const QueryOutcome& outcome, const QueryConfig& config) {
    // A query the user ended before any answer measured nothing worth keeping.
    if (outcome.result != QueryOutcome::Result::Reset) {
        m_pHistory->Append(history::RowOf(outcome, config, "horolux", history::VerdictOf(outcome)));
        // Read after the row is written: the worker runs its tasks in order.
        if (m_pHistoryWindow && m_pHistoryWindow->isVisible()) {
            m_pHistoryWindow->Refresh();
        }
    }
    RefreshSystemTime();
    m_wndStatusBar->ShowResult(ResultIconOf(outcome), ResultNotes(outcome));
    m_wndStatusBar->SetQueryNote(outcome.result == QueryOutcome::Result::ClockNotSet
                                     ? QCoreApplication::translate("window", kClockRightHint)
                                     : QString());
    m_pCommandUi->Tray().ShowResult(m_wndStatusBar->PaneText(), m_bFromTray);
    m_bFromTray = false;
    // The unattended start closes once the clock is set, not after a plain query that
    // the user runs when its own correction has failed.
    if (std::exchange(m_bCloseAtEnd, false) && outcome.result == QueryOutcome::Result::Corrected) {
        OnAppExit();
        return;
    }
    m_pElevated->OnQueryEnded(outcome, config, m_bUnattended);
}

bool CMainFrame::Ask(const char* name, const QString& question) {
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(kProductName), question,
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setObjectName(QLatin1String(name));
    box.setDefaultButton(QMessageBox::No);
    // No background check starts while the user decides.
    m_bAsking = true;
    const bool yes = box.exec() == QMessageBox::Yes;
    m_bAsking = false;
    return yes;
}

bool CMainFrame::ServiceAllowsCorrect() {
    if (m_bServiceAgreed || !m_systemTime || !m_systemTime->IsSynchronized()) {
        return true;
    }
    m_bServiceAgreed = Ask("serviceQuestion", ServiceQuestionText(*m_systemTime));
    return m_bServiceAgreed;
}

void CMainFrame::RefreshSystemTime() {
    ReadSystemTimeLater(this, [this](history::SystemTimeState state) {
        m_systemTime = state;
        const QString text = QString::fromStdString(history::SystemTimeText(state));
        m_wndStatusBar->SetSystemTimeText(text);
        if (m_pHistoryWindow) {
            m_pHistoryWindow->SetSystemTimeText(text);
        }
    });
}

void CMainFrame::PostClose() {
    m_bCloseAtEnd = true;
}
