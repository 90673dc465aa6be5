#pragma once

#include "ui/result_icon.h"

#include <QStatusBar>
#include <QStringList>
#include <QTimer>

class QLabel;
class QProgressBar;

// The status bar: pane 0 for messages, pane 1 holding the progress control, and the
// four protocol indicators "TCP", "UDP", "SNTP", "NTS".
class CStatusBar : public QStatusBar {
    Q_OBJECT
  public:
    explicit CStatusBar(QWidget* parent);

    // When pane 0's text becomes its accessible name, which a screen reader announces:
    // at once, or once it has stayed for a second (a query's passing steps stay unsaid).
    enum class Announce { Now, WhenSettled };
    // Writes pane 0 and repaints the bar at once, with the indicators brought up to date.
    // Text that does not fit is elided; PaneText is always the whole of it.
    // A new text clears the result's icon and notes.
    void ShowPaneText(const QString& text, Announce when = Announce::Now);
    // Announces pane 0's text now, if it is not what was last announced.
    void AnnouncePaneText();
    QString PaneText() const;
    // How the text just shown ended its query: the icon before it, and lines the tooltip
    // adds after the protocol (the direction in words, the Timebase time).
    void ShowResult(ResultIcon icon, const QStringList& notes);
    // Pane 0's tooltip, composed when it is shown: the whole text, the Timebase, the
    // protocol, and the query note (the attempt of a running query, a hint after a refusal).
    QString PaneToolTip() const;
    void SetQueryNote(const QString& note) { m_strQueryNote = note; }
    // "System time service: ...", the tooltip's last line.
    void SetSystemTimeText(const QString& text) { m_strSystemTime = text; }
    // While a menu is open, pane 0 gives way to the prompt of the highlighted item
    // (empty for submenus); EndPrompt brings back the text the pane held.
    void ShowPrompt(const QString& prompt);
    void EndPrompt();
    // Lights the indicators from the protocol settings.
    void UpdateIndicators();
    QProgressBar* Progress() const { return m_pProgress; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLabel* AddIndicator(const char* text, const char* objectName);
    void ElidePaneText();

    QString m_strPaneText;
    QString m_strQueryNote;
    QString m_strSystemTime;
    QStringList m_resultNotes;
    QLabel* m_pIcon = nullptr;
    QTimer m_announceTimer;
    QLabel* m_pMessage = nullptr;
    QLabel* m_pPrompt = nullptr;
    QProgressBar* m_pProgress = nullptr;
    QLabel* m_pTcp = nullptr;
    QLabel* m_pUdp = nullptr;
    QLabel* m_pSntp = nullptr;
    QLabel* m_pNts = nullptr;
};
