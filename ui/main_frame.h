#pragma once

#include "timesync/time_sync_view.h"

#include <QMainWindow>
#include <QTimer>

class CCommandUi;
class CGLScene;
class CStatusBar;
class QPushButton;

// The main window: two command buttons, the 3D view between them, the status bar,
// and the 200 ms tick that drives the animation and the worker.
class CMainFrame : public QMainWindow, public ITimeSyncView {
    Q_OBJECT
  public:
    CMainFrame();
    ~CMainFrame() override;

    CStatusBar* StatusBar() const { return m_wndStatusBar; }
    CGLScene* Scene() const { return m_pScene; }
    CCommandUi* CommandUi() const { return m_pCommandUi; }

    // ITimeSyncView
    void ShowStatusText(const QString& text) override;
    void EnableQueryButton(bool enable) override;
    void EnableCorrectButton(bool enable) override;
    void TakeFocus() override;
    void PostClose() override;
    void PostDeltaWarning() override;
    bool StepProgress() override;
    void ClearProgress() override;
    void Post(std::function<void()> task) override;

  public Q_SLOTS:
    void OnQueryTimebase();
    void OnCorrectClock();
    void OnReset();
    void OnAppExit();
    // One tick of the 200 ms timer: fly-in step, one frame, the worker's tick.
    void OnTimer();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void OnSize();
    void OnKeyDown(int key);
    void OnClose();

    QWidget* m_pClient = nullptr;
    QPushButton* m_pBtnQuery = nullptr;
    QPushButton* m_pBtnCorrect = nullptr;
    CStatusBar* m_wndStatusBar = nullptr;
    CGLScene* m_pScene = nullptr;
    CCommandUi* m_pCommandUi = nullptr;
    QTimer m_tickTimer;
    bool m_bClosed = false;
};
