#include "ui/main_menus.h"

#include "ui/check_interval.h"
#include "ui/command_ids.h"
#include "ui/command_table.h"
#include "ui/image_menu_style.h"
#include "ui/indicator_rules.h"
#include "ui/menu_tables.h"
#include "ui/query_settings.h"
#include "ui/recent_timebases.h"
#include "ui/timebase_choice.h"
#include "ui/timebase_images.h"
#include "ui/window_settings.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

QString ObjectNameOf(const char* text) {
    return QString::fromLatin1(text).remove(QLatin1Char('&'));
}

struct Builder {
    CMainMenus& owner;
    QHash<int, QAction*>& actions;
    QList<QWidget*>& promptSources;

    // Fills container (a menu bar or a menu) with the entries of a table.
    void Fill(QWidget* container, std::span<const MenuEntry> entries) {
        for (const MenuEntry& entry : entries) {
            switch (entry.kind) {
            case MenuEntryKind::Separator: {
                auto* separator = new QAction(container);
                separator->setSeparator(true);
                container->addAction(separator);
                break;
            }
            case MenuEntryKind::Popup: {
                auto* submenu =
                    new QMenu(QCoreApplication::translate("menus", entry.text), container);
                submenu->setObjectName(ObjectNameOf(entry.text));
                promptSources.append(submenu);
                Fill(submenu, entry.children);
                if (entry.exclusive) {
                    // Exclusive, so that the style may draw the marks as radio marks.
                    auto* group = new QActionGroup(submenu);
                    for (QAction* action : submenu->actions()) {
                        if (action->isCheckable()) {
                            group->addAction(action);
                        }
                    }
                }
                container->addAction(submenu->menuAction());
                break;
            }
            case MenuEntryKind::Command:
                container->addAction(MakeAction(container, entry));
                break;
            }
        }
    }

    QAction* MakeAction(QWidget* container, const MenuEntry& entry) {
        auto* action = new QAction(QCoreApplication::translate("menus", entry.text), container);
        action->setObjectName(CommandName(entry.id));
        action->setStatusTip(CommandPrompt(entry.id));
        action->setCheckable(entry.checkable);
        CMainMenus* menus = &owner;
        const int id = entry.id;
        QObject::connect(action, &QAction::triggered, menus, [menus, id] { menus->Command(id); });
        actions.insert(id, action);
        return action;
    }
};

QMenu* MakeTopMenu(QMainWindow& frame, const char* objectName) {
    auto* menu = new QMenu(&frame);
    menu->setObjectName(QLatin1String(objectName));
    return menu;
}

} // namespace

CMainMenus::CMainMenus(QMainWindow& frame) : QObject(&frame) {
    setObjectName("menus");
    m_pMainMenu = new QMenuBar(&frame);
    m_pMainMenu->setObjectName("mainMenu");
    // Kept inside the window even where the desktop offers a global menu: the item
    // prompts go to this window's status bar, and the Timebase images need this style.
    m_pMainMenu->setNativeMenuBar(false);
    m_pPopupMenu = MakeTopMenu(frame, "popupMenu");
    m_pTrayMenu = MakeTopMenu(frame, "trayMenu");
    m_promptSources = {m_pMainMenu, m_pPopupMenu, m_pTrayMenu};

    Builder{*this, m_actions[MainMenu], m_promptSources}.Fill(m_pMainMenu, kMainMenuTable);
    Builder{*this, m_actions[PopupMenu], m_promptSources}.Fill(m_pPopupMenu, kPopupMenuTable);
    Builder{*this, m_actions[TrayMenu], m_promptSources}.Fill(m_pTrayMenu, kTrayMenuTable);

    for (QAction* action : m_pMainMenu->actions()) {
        if (QMenu* menu = action->menu()) {
            m_topLevelMenus.append(menu);
        }
    }
    m_topLevelMenus << m_pPopupMenu << m_pTrayMenu;

    // The desktop's quit key (Ctrl+Q), shown beside Exit in the menu bar.
    Action(MainMenu, ID_APP_EXIT)->setShortcuts(QKeySequence::Quit);
    // The Timebase items sit in two popups but are one choice.
    for (const Which menu : {MainMenu, PopupMenu}) {
        auto* group = new QActionGroup(this);
        for (const int id :
             {ID_TIMEBASE_PRIMARY, ID_TIMEBASE_BACKUP, ID_TIMEBASE_POOL, ID_TIMEBASE_TYPED}) {
            group->addAction(Action(menu, id));
        }
    }
    ShowTimebaseImages();
    ApplyInitialMarks();
    frame.setMenuBar(m_pMainMenu);
}

QAction* CMainMenus::Action(Which menu, int id) const {
    return m_actions[menu].value(id);
}

void CMainMenus::Check(int id, bool checked) {
    for (const Which menu : {MainMenu, PopupMenu}) {
        if (QAction* action = Action(menu, id)) {
            action->setChecked(checked);
        }
    }
}

void CMainMenus::ShowTimebase(const QString& inUse, const QString& typed) {
    const int chosen = ChosenTimebaseItem(inUse, typed);
    for (const Which menu : {MainMenu, PopupMenu}) {
        QAction* typedItem = Action(menu, ID_TIMEBASE_TYPED);
        typedItem->setText(QString(typed).replace(QLatin1Char('&'), QLatin1String("&&")));
        typedItem->setVisible(!typed.isEmpty());
        if (chosen == 0 && typedItem->actionGroup()->checkedAction()) {
            typedItem->actionGroup()->checkedAction()->setChecked(false);
        }
    }
    if (chosen != 0) {
        Check(chosen, true);
    }
}

QList<QWidget*> CMainMenus::PromptSources() const {
    return m_promptSources;
}

QList<QMenu*> CMainMenus::TopLevelMenus() const {
    return m_topLevelMenus;
}

void CMainMenus::ShowTimebaseImages() {
    const struct {
        int id;
        const char* label;
        const char* host;
    } images[] = {{ID_TIMEBASE_PRIMARY, "PRIMARY", kPrimaryTimebase},
                  {ID_TIMEBASE_BACKUP, "BACKUP", kBackupTimebase}};
    for (const auto& image : images) {
        QAction* action = Action(MainMenu, image.id);
        action->setIcon(QIcon(
            PaintTimebaseImage(QString::fromLatin1(image.label), QString::fromLatin1(image.host))));
        for (QObject* shownIn : action->associatedObjects()) {
            if (auto* menu = qobject_cast<QMenu*>(shownIn)) {
                auto* style = qobject_cast<CImageMenuStyle*>(menu->style());
                if (!style) {
                    style = new CImageMenuStyle();
                    style->setParent(menu);
                    menu->setStyle(style);
                }
                style->AddImage(action->icon());
            }
        }
    }
}

void CMainMenus::ApplyInitialMarks() {
    // Any pair other than Time over TCP or UDP, or NTS, counts as SNTP; the settings stay
    // as stored.
    const bool tcp = IsTcpIndicatorLit(g_strProtocol, g_strSocketType);
    const bool udp = IsUdpIndicatorLit(g_strProtocol, g_strSocketType);
    const bool nts = IsNtsIndicatorLit(g_strProtocol);
    Check(ID_PROTOCOL_TIMETCP, tcp);
    Check(ID_PROTOCOL_TIMEUDP, udp);
    Check(ID_PROTOCOL_SNTP, !tcp && !udp && !nts);
    Check(ID_PROTOCOL_NTS, nts);
    for (const auto& [id, samples] : kSamplesItems) {
        Check(id, g_nSamples == samples);
    }
    for (const auto& [id, seconds] : kCheckItems) {
        Check(id, g_nCheckInterval == seconds);
    }
    Check(ID_OPTIONS_MINIMIZETOTRAY, g_bMinimizeToTray != 0);
    Check(ID_BACKDROP_TEXTONLY, g_bTextOnly != 0);
    Check(ID_BACKDROP_GRAPHICS, g_bTextOnly == 0);
    ShowTimebase(g_strTimeBase, TypedTimebase(g_strTimeBase, LoadRecentTimebases()));
}
