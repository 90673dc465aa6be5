#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>
#include <QTimer>
#include <functional>

class QMainWindow;
class QMenu;

// The notification-tray icon that stands for the main window while it is minimized
// with Minimize to Tray on. A left click restores the window; a right click brings it
// forward and opens the tray popup at the cursor. Without a tray host the window
// minimizes as usual, and a window hidden in a tray that goes away comes back
// minimized, so it can always be reached.
// "just now", "1 min ago", "3 h ago", "2 days ago".
QString AgeText(qint64 seconds);

class CTrayIcon : public QObject {
    Q_OBJECT
  public:
    CTrayIcon(QMainWindow& frame, QMenu& trayMenu);

    // Whether the desktop offers a tray at this moment; replaceable in tests.
    std::function<bool()> trayAvailable = &QSystemTrayIcon::isSystemTrayAvailable;

    // Takes the icon out of the tray, whether or not it is shown.
    void Remove();

    // What a mouse action on the icon does.
    void OnTrayNotify(QSystemTrayIcon::ActivationReason reason);
    // Shows the window as it was before it was minimized, in front.
    void Restore();
    // The icon's tooltip: the program's name, then the last result; the tray's own
    // commands also show it in a message bubble while the icon is in the tray.
    void ShowResult(const QString& text, bool bubble);
    // Brings the result's age in the tooltip up to date ("3 min ago").
    void UpdateResultAge();
    QString ToolTip() const { return m_pIcon->toolTip(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void HideIntoTray();
    void OpenTrayMenu();
    void CheckTrayStillThere();

    QMainWindow& m_frame;
    QMenu& m_trayMenu;
    QSystemTrayIcon* m_pIcon = nullptr;
    QTimer m_trayWatch;
    QString m_strResult;
    QElapsedTimer m_resultAge;
};
