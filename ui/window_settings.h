#pragma once

// The stored settings of the window: names, defaults and the values in use, loaded at
// start-up and written through by the option commands.
inline constexpr const char* kKeyTextOnly = "TextOnly";
inline constexpr const char* kKeyMinimizeToTray = "MinimizeToTray";
inline constexpr int kDefaultTextOnly = 0;
inline constexpr int kDefaultMinimizeToTray = 1;

extern int g_bTextOnly;
extern int g_bMinimizeToTray;
