#pragma once

#include "history/system_time_state.h"
#include "timesync/query_config.h"
#include "timesync/time_sync_view.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <optional>

class CCommandUi;
class CElevatedCorrection;
class CHistoryWindow;
class CHistoryWorker;
class CTimeQuery;
class CGLScene;
class CStatusBar;
class QPushButton;

// The main window: two command buttons, the 3D view between them, the status bar,
// and the 200 ms tick that drives the animation. It owns the time query
// and shows what the query reports.
class CMainFrame : public QMainWindow, public ITimeSyncView {
    Q_OBJECT
  public:
    CMainFrame();
    ~CMainFrame() override;

    CStatusBar* StatusBar() const { return m_wndStatusBar; }
    CGLScene* Scene() const { return m_pScene; }
    // The history the window's queries are kept in, and its window while open.
    CHistoryWorker& History() const { return *m_pHistory; }
    CHistoryWindow* HistoryWindow() const;
    // How long one second of the check interval lasts, ms (tests shorten it).
    int checkSecondMs = 1000;

    // The query; nullptr once the window has closed.
    CTimeQuery* Query() const { return m_pQuery.get(); }

    // The first tick starts the unattended correction, and the window closes once it has
    // answered.
    void CorrectAtFirstTick() { m_bAutoCorrect = m_bUnattended = true; }

    // ITimeSyncView
    void ShowStatusText(const QString& text) override;
    void EnableQueryButton(bool enable) override;
    void EnableCorrectButton(bool enable) override;
    void TakeFocus() override;
    void ShowProgress(int position) override;
    void PostDeltaWarning() override;
    void PostClose() override;
    void QueryEnded(const QueryOutcome& outcome) override;

  public Q_SLOTS:
    void OnQueryTimebase();
    void OnCorrectClock();
    void OnReset();
    void OnTrayCorrectClock();
    // Opens the Clock History window, or brings it to the front.
    void OnShowHistory();
    void OnAppExit();
    // One tick of the 200 ms timer: fly-in step, one frame, the query's tick.
    void OnTimer();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void OnSize();
    void CentreFrame();
    void FitFrame();
    void OnKeyDown(int key);
    void OnEscape();
    void OpenPopupAtViewCentre();
    void OpenMenuBar();
    void OnClose();
    // The window's end of a query: the history row, the notes, the tray, the helper.
    void KeepResult(const QueryOutcome& outcome, const QueryConfig& config);
    // Sets the clock from a step beyond the maximum delta once the user agrees.
    void AskLargeStep(QueryOutcome outcome, const QueryConfig& config);
    // A Yes/No question, No the default; the box is found by its objectName.
    bool Ask(const char* name, const QString& question);
    // While a time service keeps the clock, the user agrees to a correction once.
    bool ServiceAllowsCorrect();
    // Reads the system's time keeping again and shows it where it is shown.
    void RefreshSystemTime();
    // Follows the Check Every setting; the timer restarts only when it changed.
    void FollowCheckInterval();
    // A plain query in the background, unless one is running.
    void OnCheckTimer();

    QWidget* m_pClient = nullptr;
    QPushButton* m_pBtnQuery = nullptr;
    QPushButton* m_pBtnCorrect = nullptr;
    CStatusBar* m_wndStatusBar = nullptr;
    CGLScene* m_pScene = nullptr;
    CCommandUi* m_pCommandUi = nullptr;
    // Outlives the query, which may report its end while it is destroyed.
    std::unique_ptr<CElevatedCorrection> m_pElevated;
    // Destroyed after the query, so that its last row is still written.
    std::unique_ptr<CHistoryWorker> m_pHistory;
    QPointer<CHistoryWindow> m_pHistoryWindow;
    // The system's time keeping as last read; empty until the first reading is in.
    std::optional<history::SystemTimeState> m_systemTime;
    bool m_bServiceAgreed = false;
    // A question to the user is open.
    bool m_bAsking = false;
    std::unique_ptr<CTimeQuery> m_pQuery;
    QTimer m_tickTimer;
    QTimer m_checkTimer;
    // The interval the check timer runs at, ms; 0: stopped.
    int m_nCheckMs = 0;
    bool m_bAutoCorrect = false;
    // The running query was started or marked from the tray, which then reports its end.
    bool m_bFromTray = false;
    int m_nAttempt = 0;              // of the running query, for pane 0's tooltip
    bool m_bCloseAtEnd = false;      // the query asked for the unattended close
    bool m_bDeltaWarningDue = false; // the query's end shows the maximum delta warning
    // Ticks left in which a newly known window frame resizes the window to the initial size.
    int m_nFitTicksLeft = 25;
    // Started with an argument: a refused correction never asks for a password.
    bool m_bUnattended = false;
};
