#pragma once

#include <QStringList>

// The Timebases typed into the Alternate Timebase dialog, offered there again: newest
// first, each once, at most kMaxRecentTimeBases, kept in the settings file.
inline constexpr const char* kKeyRecentTimeBases = "RecentTimeBases";
inline constexpr int kMaxRecentTimeBases = 5;

// The list after `typed` was accepted. A blank entry is never offered; a stored list
// that was edited by hand comes back within the limits of the dialog's field.
QStringList WithRecentTimebase(const QStringList& recent, const QString& typed);

// Reads the list from the settings file, or writes `typed` to the front of it.
QStringList LoadRecentTimebases();
void RememberTypedTimebase(const QString& typed);
