#pragma once

// The two Timebases the menu offers by name; the primary is also the default.
inline constexpr const char* kPrimaryTimebase = "tick.usno.navy.mil";
inline constexpr const char* kBackupTimebase = "tock.usno.navy.mil";
