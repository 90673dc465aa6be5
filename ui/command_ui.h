#pragma once

#include <QObject>
#include <functional>
#include <memory>

class CGLScene;
class CMainMenus;
class CNtsTrustCommands;
class COptionCommands;
class CStatusBar;
class CTrayIcon;
class QMainWindow;

// The window's parts the commands reach, and the query commands the window runs itself.
struct CommandTargets {
    QMainWindow& window;
    CStatusBar& statusBar;
    CGLScene& scene;
    std::function<void()> onAppExit;
    std::function<void()> onReset;
    std::function<void()> onTrayCorrectClock;
    std::function<void()> onShowHistory;
};

// Everything through which the user gives commands, put onto the main window: the menu
// bar and the two popups, their prompts in the status bar, the F1 key, the tray icon,
// and the routing of every command id to its handler.
class CCommandUi : public QObject {
    Q_OBJECT
  public:
    explicit CCommandUi(CommandTargets targets);
    ~CCommandUi() override;

    CMainMenus& Menus() const { return *m_pMenus; }
    COptionCommands& Commands() const { return *m_pCommands; }
    CTrayIcon& Tray() const { return *m_pTray; }

    // Runs the handler of any command id, as if its menu item had been chosen.
    void OnCommand(int id);

  private:
    CommandTargets m_targets;
    CMainMenus* m_pMenus = nullptr;
    CTrayIcon* m_pTray = nullptr;
    std::unique_ptr<COptionCommands> m_pCommands;
    CNtsTrustCommands* m_pNtsTrust = nullptr;
};
