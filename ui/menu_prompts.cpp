#include "ui/menu_prompts.h"

#include "ui/main_menus.h"
#include "ui/status_bar.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QTimer>

CMenuPrompts::CMenuPrompts(CMainMenus& menus, CStatusBar& statusBar, QObject* parent)
    : QObject(parent), m_statusBar(statusBar), m_pMenuBar(menus.MainMenuBar()) {
    // Qt sends the tip to the menu bar for its own menus and to the menu itself for a
    // popup; both are caught before the main window would put them in a message.
    for (QWidget* source : menus.PromptSources()) {
        source->installEventFilter(this);
    }
    if (QWidget* window = m_pMenuBar->window()) {
        window->installEventFilter(this);
    }
    for (QMenu* menu : menus.TopLevelMenus()) {
        connect(menu, &QMenu::aboutToHide, this, [this] {
            // The menu bar may open the next menu at once; decide once Qt has done so.
            QTimer::singleShot(0, this, &CMenuPrompts::EndWhenMenusClosed);
        });
    }
}

bool CMenuPrompts::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        OnStatusTip(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void CMenuPrompts::OnStatusTip(const QString& tip) {
    // Submenus and separators have no prompt: while a menu is open they show an empty
    // pane; once none is open, the empty tip that Qt sends ends the prompts.
    if (!tip.isEmpty() || AnyMenuOpen()) {
        m_statusBar.ShowPrompt(tip);
    } else {
        m_statusBar.EndPrompt();
    }
}

void CMenuPrompts::EndWhenMenusClosed() {
    if (!AnyMenuOpen()) {
        m_statusBar.EndPrompt();
    }
}

bool CMenuPrompts::AnyMenuOpen() const {
    return QApplication::activePopupWidget() != nullptr || m_pMenuBar->activeAction() != nullptr;
}
