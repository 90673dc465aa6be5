#pragma once

#include <span>

// The three menus as data, in the order and with the texts, mnemonics, separators and
// command ids the user sees. main_menus.cpp turns each table into Qt menus.
enum class MenuEntryKind { Command, Popup, Separator };

struct MenuEntry {
    MenuEntryKind kind;
    const char* text = "";
    int id = 0;             // command id of a Command
    bool checkable = false; // carries a check mark that follows a setting
    std::span<const MenuEntry> children = {};
    bool exclusive = false; // a Popup whose checkable items are one choice
};

// The menu bar.
extern const std::span<const MenuEntry> kMainMenuTable;
// The popup that a right press on the 3D view opens: a copy of the menu bar.
extern const std::span<const MenuEntry> kPopupMenuTable;
// The popup of the tray icon.
extern const std::span<const MenuEntry> kTrayMenuTable;
