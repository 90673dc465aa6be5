#include "ui/command_ui.h"

#include "scene/gl_scene.h"
#include "ui/client_popup.h"
#include "ui/command_ids.h"
#include "ui/main_menus.h"
#include "ui/menu_prompts.h"
#include "ui/nts_trust_commands.h"
#include "ui/option_commands.h"
#include "ui/status_bar.h"
#include "ui/tray_icon.h"

#include <QAction>
#include <QMainWindow>

CCommandUi::CCommandUi(CommandTargets targets)
    : QObject(&targets.window), m_targets(std::move(targets)) {
    QMainWindow& window = m_targets.window;
    setObjectName("commandUi");
    m_pMenus = new CMainMenus(window);
    new CMenuPrompts(*m_pMenus, m_targets.statusBar, this);
    m_pTray = new CTrayIcon(window, *m_pMenus->Tray());
    m_pCommands =
        std::make_unique<COptionCommands>(window, *m_pMenus, m_targets.statusBar, *m_pTray);
    m_pNtsTrust = new CNtsTrustCommands(window, m_targets.statusBar);
    new CClientPopup(*window.centralWidget(), m_targets.scene, *m_pMenus->Popup());

    // F1 opens About wherever the focus is inside the main window.
    auto* helpKey = new QAction(&window);
    helpKey->setObjectName("accelF1");
    helpKey->setShortcut(QKeySequence(Qt::Key_F1));
    helpKey->setShortcutContext(Qt::WindowShortcut);
    window.addAction(helpKey);
    connect(helpKey, &QAction::triggered, this, [this] { OnCommand(ID_HELP_ABOUT); });

    connect(m_pMenus, &CMainMenus::Command, this, &CCommandUi::OnCommand);
}

CCommandUi::~CCommandUi() = default;

void CCommandUi::OnCommand(int id) {
    switch (id) {
    case ID_APP_EXIT:
        m_targets.onAppExit();
        break;
    case ID_RESET:
        m_targets.onReset();
        break;
    case ID_TRAY_RESTORE:
        m_pTray->Restore();
        break;
    case ID_TRAY_CORRECTCLOCK:
        m_targets.onTrayCorrectClock();
        break;
    case ID_VIEW_HISTORY:
        m_targets.onShowHistory();
        break;
    default:
        if (!m_pCommands->Dispatch(id)) {
            m_pNtsTrust->Dispatch(id);
        }
        break;
    }
}
