#pragma once

// The window's query settings: loaded at start-up and written through by the option
// commands. Each query the window starts gets its own value built from them. GUI thread.
#include "timesync/query_config.h"

#include <QString>

extern QString g_strTimeBase;
extern QString g_strSocketType;
extern QString g_strProtocol;
// The NTS CA file (setting NtsCaFile); empty: the system's store.
extern QString g_strNtsCaFile;
// SNTP and NTS requests per query (setting Samples).
extern int g_nSamples;

// The next query's value from the settings in use.
QueryConfig WindowQueryConfig(bool correct);
