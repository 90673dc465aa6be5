#include "ui/menu_tables.h"

#include "timesync/query_setting_keys.h"
#include "ui/command_ids.h"

#include <QtGlobal>

namespace {

constexpr MenuEntry Command(const char* text, int id, bool checkable = false) {
    return {MenuEntryKind::Command, text, id, checkable, {}};
}
constexpr MenuEntry Popup(const char* text, std::span<const MenuEntry> children) {
    return {MenuEntryKind::Popup, text, 0, false, children};
}
constexpr MenuEntry Choice(const char* text, std::span<const MenuEntry> children) {
    return {MenuEntryKind::Popup, text, 0, false, children, true};
}
constexpr MenuEntry Separator() {
    return {MenuEntryKind::Separator};
}

constexpr MenuEntry kProtocol[] = {
    Command(QT_TRANSLATE_NOOP("menus", "Time (UDP)"), ID_PROTOCOL_TIMEUDP, true),
    Command(QT_TRANSLATE_NOOP("menus", "Time (TCP)"), ID_PROTOCOL_TIMETCP, true),
    Command(QT_TRANSLATE_NOOP("menus", "SNTP"), ID_PROTOCOL_SNTP, true),
    Command(QT_TRANSLATE_NOOP("menus", "NTS"), ID_PROTOCOL_NTS, true),
    Separator(),
    Command(QT_TRANSLATE_NOOP("menus", "NTS Certificate Authority..."), ID_PROTOCOL_NTSCAFILE),
    Command(QT_TRANSLATE_NOOP("menus", "Use the System's Certificates"), ID_PROTOCOL_SYSTEMCA),
};

constexpr MenuEntry kSamples[] = {
    Command(QT_TRANSLATE_NOOP("menus", "&1"), ID_SAMPLES_1, true),
    Command(QT_TRANSLATE_NOOP("menus", "&4"), ID_SAMPLES_4, true),
    Command(QT_TRANSLATE_NOOP("menus", "&8"), ID_SAMPLES_8, true),
};

constexpr MenuEntry kCheckEvery[] = {
    Command(QT_TRANSLATE_NOOP("menus", "&Off"), ID_CHECK_OFF, true),
    Command(QT_TRANSLATE_NOOP("menus", "&15 Minutes"), ID_CHECK_15MINUTES, true),
    Command(QT_TRANSLATE_NOOP("menus", "1 &Hour"), ID_CHECK_1HOUR, true),
    Command(QT_TRANSLATE_NOOP("menus", "&6 Hours"), ID_CHECK_6HOURS, true),
};

// The checkable items of both popups are one choice (see CMainMenus::ShowTimebase).
constexpr MenuEntry kUsNavyTimebase[] = {
    Command(QT_TRANSLATE_NOOP("menus", "Primary Timebase"), ID_TIMEBASE_PRIMARY, true),
    Command(QT_TRANSLATE_NOOP("menus", "Backup Timebase"), ID_TIMEBASE_BACKUP, true),
};

constexpr MenuEntry kTimebase[] = {
    Popup(QT_TRANSLATE_NOOP("menus", "US Navy Timebase"), kUsNavyTimebase),
    Command(kPoolTimebase, ID_TIMEBASE_POOL, true),
    // Named after the typed Timebase, and hidden while there is none.
    Command("", ID_TIMEBASE_TYPED, true),
    Command(QT_TRANSLATE_NOOP("menus", "Alternate Timebase..."), ID_TIMEBASE_ALTERNATE),
    Command(QT_TRANSLATE_NOOP("menus", "Browse Master Timebase List"), ID_TIMEBASE_BROWSELIST),
};

constexpr MenuEntry kBackdrop[] = {
    Command(QT_TRANSLATE_NOOP("menus", "&Text Only"), ID_BACKDROP_TEXTONLY, true),
    Command(QT_TRANSLATE_NOOP("menus", "&Graphics"), ID_BACKDROP_GRAPHICS, true),
};

// The same in the menu bar and in the popup copy.
constexpr MenuEntry kOptions[] = {
    Choice(QT_TRANSLATE_NOOP("menus", "&Protocol"), kProtocol),
    Choice(QT_TRANSLATE_NOOP("menus", "&Samples per Query"), kSamples),
    Choice(QT_TRANSLATE_NOOP("menus", "Check &Every"), kCheckEvery),
    Popup(QT_TRANSLATE_NOOP("menus", "&Timebase"), kTimebase),
    Choice(QT_TRANSLATE_NOOP("menus", "&Backdrop"), kBackdrop),
    Command(QT_TRANSLATE_NOOP("menus", "&Minimize to Tray"), ID_OPTIONS_MINIMIZETOTRAY, true),
    Command(QT_TRANSLATE_NOOP("menus", "Clock &History...\tCtrl+H"), ID_VIEW_HISTORY),
};

constexpr MenuEntry kMainFile[] = {
    Command(QT_TRANSLATE_NOOP("menus", "E&xit"), ID_APP_EXIT),
};

constexpr MenuEntry kMainHelp[] = {
    Command(QT_TRANSLATE_NOOP("menus", "&About"), ID_HELP_ABOUT),
    Command(QT_TRANSLATE_NOOP("menus", "&What to do"), ID_HELP_WHATTODO),
    Separator(),
    Command(QT_TRANSLATE_NOOP("menus", "Browse &Horolux Help Page"), ID_HELP_HELPPAGE),
    Command(QT_TRANSLATE_NOOP("menus", "Browse Horolux &Home Page"), ID_HELP_HOMEPAGE),
};

constexpr MenuEntry kMainMenu[] = {
    Popup(QT_TRANSLATE_NOOP("menus", "&File"), kMainFile),
    Popup(QT_TRANSLATE_NOOP("menus", "&Options"), kOptions),
    Command(QT_TRANSLATE_NOOP("menus", "&Reset"), ID_RESET),
    Popup(QT_TRANSLATE_NOOP("menus", "&Help"), kMainHelp),
};

// The popup copy has fewer mnemonics and no separator in Help.
constexpr MenuEntry kPopupFile[] = {
    Command(QT_TRANSLATE_NOOP("menus", "Exit"), ID_APP_EXIT),
};

constexpr MenuEntry kPopupHelp[] = {
    Command(QT_TRANSLATE_NOOP("menus", "&About"), ID_HELP_ABOUT),
    Command(QT_TRANSLATE_NOOP("menus", "What to do"), ID_HELP_WHATTODO),
    Command(QT_TRANSLATE_NOOP("menus", "Browse &Horolux Help Page"), ID_HELP_HELPPAGE),
    Command(QT_TRANSLATE_NOOP("menus", "Browse Horolux &Home Page"), ID_HELP_HOMEPAGE),
};

constexpr MenuEntry kPopupMenu[] = {
    Popup(QT_TRANSLATE_NOOP("menus", "File"), kPopupFile),
    Popup(QT_TRANSLATE_NOOP("menus", "&Options"), kOptions),
    Command(QT_TRANSLATE_NOOP("menus", "Reset"), ID_RESET),
    Popup(QT_TRANSLATE_NOOP("menus", "Help"), kPopupHelp),
};

constexpr MenuEntry kTrayMenu[] = {
    Command(QT_TRANSLATE_NOOP("menus", "Restore"), ID_TRAY_RESTORE),
    Command(QT_TRANSLATE_NOOP("menus", "Correct System Clock"), ID_TRAY_CORRECTCLOCK),
    Command(QT_TRANSLATE_NOOP("menus", "Clock History"), ID_VIEW_HISTORY),
    Command(QT_TRANSLATE_NOOP("menus", "Exit"), ID_APP_EXIT),
};

} // namespace

const std::span<const MenuEntry> kMainMenuTable = kMainMenu;
const std::span<const MenuEntry> kPopupMenuTable = kPopupMenu;
const std::span<const MenuEntry> kTrayMenuTable = kTrayMenu;
