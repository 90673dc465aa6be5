#pragma once

// Command identifiers of the menu items and the F1 key: the keys of the command, menu and
// prompt tables.
inline constexpr int ID_PROTOCOL_TIMETCP = 40009;
inline constexpr int ID_TIMEBASE_PRIMARY = 40010;
inline constexpr int ID_PROTOCOL_TIMEUDP = 40011;
inline constexpr int ID_TIMEBASE_BACKUP = 40012;
inline constexpr int ID_TIMEBASE_ALTERNATE = 40013;
inline constexpr int ID_PROTOCOL_SNTP = 40016;
inline constexpr int ID_RESET = 40017;
inline constexpr int ID_OPTIONS_MINIMIZETOTRAY = 40019;
inline constexpr int ID_TRAY_CORRECTCLOCK = 40020;
inline constexpr int ID_HELP_WHATTODO = 40021;
inline constexpr int ID_TIMEBASE_BROWSELIST = 40022;
inline constexpr int ID_HELP_ABOUT = 40023;
inline constexpr int ID_HELP_HOMEPAGE = 40025;
inline constexpr int ID_HELP_HELPPAGE = 40026;
inline constexpr int ID_BACKDROP_TEXTONLY = 40032;
inline constexpr int ID_BACKDROP_GRAPHICS = 40033;
inline constexpr int ID_TRAY_RESTORE = 40040;
inline constexpr int ID_PROTOCOL_NTS = 40041;
inline constexpr int ID_SAMPLES_1 = 40042;
inline constexpr int ID_SAMPLES_4 = 40043;
inline constexpr int ID_SAMPLES_8 = 40044;

// The "Samples per Query" items and the Samples value each stands for.
struct SamplesItem {
    int id;
    int samples;
};
inline constexpr SamplesItem kSamplesItems[] = {
    {ID_SAMPLES_1, 1}, {ID_SAMPLES_4, 4}, {ID_SAMPLES_8, 8}};
inline constexpr int ID_VIEW_HISTORY = 40049;
inline constexpr int ID_CHECK_OFF = 40045;
inline constexpr int ID_CHECK_15MINUTES = 40046;
inline constexpr int ID_CHECK_1HOUR = 40047;
inline constexpr int ID_CHECK_6HOURS = 40048;

// The "Check Every" items and the CheckInterval value (seconds) each stands for.
struct CheckItem {
    int id;
    int seconds;
};
inline constexpr CheckItem kCheckItems[] = {
    {ID_CHECK_OFF, 0}, {ID_CHECK_15MINUTES, 900}, {ID_CHECK_1HOUR, 3600}, {ID_CHECK_6HOURS, 21600}};
inline constexpr int ID_PROTOCOL_NTSCAFILE = 40050;
inline constexpr int ID_PROTOCOL_SYSTEMCA = 40051;
// The Timebase choices beside the US Navy ones: pool.ntp.org and the one typed last.
inline constexpr int ID_TIMEBASE_POOL = 40070;
inline constexpr int ID_TIMEBASE_TYPED = 40071;
inline constexpr int ID_APP_EXIT = 57665;
