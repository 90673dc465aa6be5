#pragma once

#include <QObject>
#include <memory>

class CClientPopup;
class CMainFrame;
class CMainMenus;
class CMenuPrompts;
class COptionCommands;
class CTrayIcon;
class QAction;

// Everything through which the user gives commands, put onto the main frame: the menu
// bar and the two popups, their prompts in the status bar, the F1 key, the tray icon,
// and the routing of every command id to its handler.
class CCommandUi : public QObject {
    Q_OBJECT
  public:
    explicit CCommandUi(CMainFrame& frame);
    ~CCommandUi() override;

    CMainMenus& Menus() const { return *m_pMenus; }
    COptionCommands& Commands() const { return *m_pCommands; }
    CTrayIcon& Tray() const { return *m_pTray; }

    // Runs the handler of any command id, as if its menu item had been chosen.
    void OnCommand(int id);

  private:
    CMainFrame& m_frame;
    CMainMenus* m_pMenus = nullptr;
    CTrayIcon* m_pTray = nullptr;
    std::unique_ptr<COptionCommands> m_pCommands;
};
