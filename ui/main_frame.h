#pragma once

#include "timesync/time_sync_view.h"

#include <QMainWindow>
#include <QTimer>
#include <memory>

class CCommandUi;
class CElevatedCorrection;
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

    QWidget* m_pClient = nullptr;
    QPushButton* m_pBtnQuery = nullptr;
    QPushButton* m_pBtnCorrect = nullptr;
    CStatusBar* m_wndStatusBar = nullptr;
    CGLScene* m_pScene = nullptr;
    CCommandUi* m_pCommandUi = nullptr;
    // Outlives the query, which may report its end while it is destroyed.
    std::unique_ptr<CElevatedCorrection> m_pElevated;
    std::unique_ptr<CTimeQuery> m_pQuery;
    QTimer m_tickTimer;
    bool m_bAutoCorrect = false;
    // The running query was started or marked from the tray, which then reports its end.
    bool m_bFromTray = false;
    int m_nAttempt = 0;         // of the running query, for pane 0's tooltip
    bool m_bCloseAtEnd = false; // the query asked for the unattended close
    // Ticks left in which a newly known window frame resizes the window to the initial size.
    int m_nFitTicksLeft = 25;
    // Started with an argument: a refused correction never asks for a password.
    bool m_bUnattended = false;
};
