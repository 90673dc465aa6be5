#include "ui/menu_tables.h"

#include "timesync/query_setting_keys.h"
#include "ui/command_ids.h"

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
    Command("Time (UDP)", ID_PROTOCOL_TIMEUDP, true),
    Command("Time (TCP)", ID_PROTOCOL_TIMETCP, true),
    Command("SNTP", ID_PROTOCOL_SNTP, true),
    Command("NTS", ID_PROTOCOL_NTS, true),
};

constexpr MenuEntry kSamples[] = {
    Command("&1", ID_SAMPLES_1, true),
    Command("&4", ID_SAMPLES_4, true),
    Command("&8", ID_SAMPLES_8, true),
};

constexpr MenuEntry kCheckEvery[] = {
    Command("&Off", ID_CHECK_OFF, true),
    Command("&15 Minutes", ID_CHECK_15MINUTES, true),
    Command("1 &Hour", ID_CHECK_1HOUR, true),
    Command("&6 Hours", ID_CHECK_6HOURS, true),
};

// The checkable items of both popups are one choice (see CMainMenus::ShowTimebase).
constexpr MenuEntry kUsNavyTimebase[] = {
    Command("Primary Timebase", ID_TIMEBASE_PRIMARY, true),
    Command("Backup Timebase", ID_TIMEBASE_BACKUP, true),
};

constexpr MenuEntry kTimebase[] = {
    Popup("US Navy Timebase", kUsNavyTimebase),
    Command(kPoolTimebase, ID_TIMEBASE_POOL, true),
    // Named after the typed Timebase, and hidden while there is none.
    Command("", ID_TIMEBASE_TYPED, true),
    Command("Alternate Timebase...", ID_TIMEBASE_ALTERNATE),
    Command("Browse Master Timebase List", ID_TIMEBASE_BROWSELIST),
};

constexpr MenuEntry kBackdrop[] = {
    Command("&Text Only", ID_BACKDROP_TEXTONLY, true),
    Command("&Graphics", ID_BACKDROP_GRAPHICS, true),
};

// The same in the menu bar and in the popup copy.
constexpr MenuEntry kOptions[] = {
    Choice("&Protocol", kProtocol),
    Choice("&Samples per Query", kSamples),
    Choice("Check &Every", kCheckEvery),
    Popup("&Timebase", kTimebase),
    Choice("&Backdrop", kBackdrop),
    Command("&Minimize to Tray", ID_OPTIONS_MINIMIZETOTRAY, true),
    Command("Clock &History...\tCtrl+H", ID_VIEW_HISTORY),
};

constexpr MenuEntry kMainFile[] = {
    Command("E&xit", ID_APP_EXIT),
};

constexpr MenuEntry kMainHelp[] = {
    Command("&About", ID_HELP_ABOUT),
    Command("&What to do", ID_HELP_WHATTODO),
    Separator(),
    Command("Browse &Horolux Help Page", ID_HELP_HELPPAGE),
    Command("Browse Horolux &Home Page", ID_HELP_HOMEPAGE),
};

constexpr MenuEntry kMainMenu[] = {
    Popup("&File", kMainFile),
    Popup("&Options", kOptions),
    Command("&Reset", ID_RESET),
    Popup("&Help", kMainHelp),
};

// The popup copy has fewer mnemonics and no separator in Help.
constexpr MenuEntry kPopupFile[] = {
    Command("Exit", ID_APP_EXIT),
};

constexpr MenuEntry kPopupHelp[] = {
    Command("&About", ID_HELP_ABOUT),
    Command("What to do", ID_HELP_WHATTODO),
    Command("Browse &Horolux Help Page", ID_HELP_HELPPAGE),
    Command("Browse Horolux &Home Page", ID_HELP_HOMEPAGE),
};

constexpr MenuEntry kPopupMenu[] = {
    Popup("File", kPopupFile),
    Popup("&Options", kOptions),
    Command("Reset", ID_RESET),
    Popup("Help", kPopupHelp),
};

constexpr MenuEntry kTrayMenu[] = {
    Command("Restore", ID_TRAY_RESTORE),
    Command("Correct System Clock", ID_TRAY_CORRECTCLOCK),
    Command("Clock History", ID_VIEW_HISTORY),
    Command("Exit", ID_APP_EXIT),
};

} // namespace

const std::span<const MenuEntry> kMainMenuTable = kMainMenu;
const std::span<const MenuEntry> kPopupMenuTable = kPopupMenu;
const std::span<const MenuEntry> kTrayMenuTable = kTrayMenu;
