#pragma once

#include <QObject>

class CMainMenus;
class CStatusBar;
class QMenuBar;

// Shows the prompt of the highlighted menu item in status pane 0 while a menu is open,
// and gives pane 0 its earlier text back when the menus close, so that a glance at a
// menu never erases the last result. The prompts are the actions' status tips.
class CMenuPrompts : public QObject {
    Q_OBJECT
  public:
    CMenuPrompts(CMainMenus& menus, CStatusBar& statusBar, QObject* parent);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void OnStatusTip(const QString& tip);
    void EndWhenMenusClosed();
    bool AnyMenuOpen() const;

    CStatusBar& m_statusBar;
    QMenuBar* m_pMenuBar;
};
