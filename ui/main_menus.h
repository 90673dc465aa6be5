#pragma once

#include <QHash>
#include <QList>
#include <QObject>

class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;

// The menu bar, the client-area popup and the tray popup, built from their tables.
// Every item's action carries its command id; choosing any of them emits Command.
class CMainMenus : public QObject {
    Q_OBJECT
  public:
    enum Which { MainMenu, PopupMenu, TrayMenu };

    // Builds the three menus, shows the Timebase images in the menu bar and sets the
    // check marks from the settings, then installs the menu bar in the frame.
    explicit CMainMenus(QMainWindow& frame);

    QMenuBar* MainMenuBar() const { return m_pMainMenu; }
    QMenu* Popup() const { return m_pPopupMenu; }
    QMenu* Tray() const { return m_pTrayMenu; }

    // The action of a command in one of the menus, or nullptr.
    QAction* Action(Which menu, int id) const;

    // Sets or clears a check mark in both menus that carry the Options popup.
    void Check(int id, bool checked);

    // Names the typed Timebase item after `typed` (hidden when empty) and marks the item
    // of the Timebase in use, in both menus.
    void ShowTimebase(const QString& inUse, const QString& typed);

    // Every menu and submenu, and the menu bar: where the status prompts come from.
    QList<QWidget*> PromptSources() const;

    // The menus whose closing ends a stretch of prompts.
    QList<QMenu*> TopLevelMenus() const;

  Q_SIGNALS:
    void Command(int id);

  private:
    void ApplyInitialMarks();
    void ShowTimebaseImages();

    QMenuBar* m_pMainMenu = nullptr;
    QMenu* m_pPopupMenu = nullptr;
    QMenu* m_pTrayMenu = nullptr;
    QHash<int, QAction*> m_actions[3];
    QList<QWidget*> m_promptSources;
    QList<QMenu*> m_topLevelMenus;
};
