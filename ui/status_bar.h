#pragma once

#include <QStatusBar>

class QLabel;
class QProgressBar;

// The status bar: pane 0 for messages, pane 1 holding the progress control, and the
// three protocol indicators "TCP", "UDP", "SNTP".
class CStatusBar : public QStatusBar {
    Q_OBJECT
  public:
    explicit CStatusBar(QWidget* parent);

    // Writes pane 0 and repaints the bar at once, with the indicators brought up to date.
    void ShowPaneText(const QString& text);
    QString PaneText() const;
    // While a menu is open, pane 0 gives way to the prompt of the highlighted item
    // (empty for submenus); EndPrompt brings back the text the pane held.
    void ShowPrompt(const QString& prompt);
    void EndPrompt();
    // Lights the indicators from the protocol settings.
    void UpdateIndicators();
    QProgressBar* Progress() const { return m_pProgress; }

  private:
    QLabel* AddIndicator(const char* text, int id, const char* objectName);

    QLabel* m_pMessage = nullptr;
    QLabel* m_pPrompt = nullptr;
    QProgressBar* m_pProgress = nullptr;
    QLabel* m_pTcp = nullptr;
    QLabel* m_pUdp = nullptr;
    QLabel* m_pSntp = nullptr;
};
