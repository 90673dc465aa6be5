#include "ui/command_ui.h"

#include "scene/gl_scene.h"
#include "timesync/time_query.h"
#include "ui/client_popup.h"
#include "ui/command_ids.h"
#include "ui/main_frame.h"
#include "ui/main_menus.h"
#include "ui/menu_prompts.h"
#include "ui/option_commands.h"
#include "ui/tray_icon.h"

#include <QAction>

CCommandUi::CCommandUi(CMainFrame& frame) : QObject(&frame), m_frame(frame) {
    setObjectName("commandUi");
    m_pMenus = new CMainMenus(frame);
    new CMenuPrompts(*m_pMenus, *frame.StatusBar(), this);
    m_pTray = new CTrayIcon(frame, *m_pMenus->Tray());
    m_pCommands = std::make_unique<COptionCommands>(frame, *m_pMenus, frame, *m_pTray);
    new CClientPopup(*frame.centralWidget(), *frame.Scene(), *m_pMenus->Popup());

    // F1 opens About wherever the focus is inside the main window.
    auto* helpKey = new QAction(&frame);
    helpKey->setObjectName("accelF1");
    helpKey->setShortcut(QKeySequence(Qt::Key_F1));
    helpKey->setShortcutContext(Qt::WindowShortcut);
    frame.addAction(helpKey);
    connect(helpKey, &QAction::triggered, this, [this] { OnCommand(ID_HELP_ABOUT); });

    connect(m_pMenus, &CMainMenus::Command, this, &CCommandUi::OnCommand);
}

CCommandUi::~CCommandUi() = default;

void CCommandUi::OnCommand(int id) {
    switch (id) {
    case ID_APP_EXIT:
        m_frame.OnAppExit();
        break;
    case ID_RESET:
        m_frame.OnReset();
        break;
    case ID_TRAY_CORRECTCLOCK:
        ::OnTrayCorrectClock(m_frame);
        break;
    default:
        m_pCommands->Dispatch(id);
        break;
    }
}
