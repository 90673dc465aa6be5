#pragma once

// The background check's interval (setting CheckInterval, seconds; 0 is Off) and the
// "Check Every" items that choose it.
inline constexpr const char* kKeyCheckInterval = "CheckInterval";
inline constexpr int kDefaultCheckInterval = 0;
// A stored value outside these bounds counts as Off: a check every few seconds would
// hammer the Timebase, and one beyond a day is never what was meant.
inline constexpr int kMinCheckInterval = 60;
inline constexpr int kMaxCheckInterval = 86400;

// The interval in use, seconds; 0 when Off.
extern int g_nCheckInterval;

// The stored value as the window uses it.
int CheckIntervalInEffect(int stored);
