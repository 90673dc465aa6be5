#pragma once

#include "platform/manual_reset_event.h"

#include <QString>
#include <array>
#include <atomic>
#include <cstdint>

class CTimeSocket;

// Settings, loaded at start-up and written through by the option commands.
extern QString g_strTimeBase;
extern QString g_strSocketType;
extern QString g_strProtocol;
extern int g_bTextOnly;
extern int g_bMinimizeToTray;
// A Timebase port other than the protocol's own, for one console run (--port); 0 keeps
// the protocol's port. The window never sets it.
extern std::uint16_t g_nTimebasePort;

// State of the running query (GUI thread only).
extern CTimeSocket* g_pSocket;
extern int g_bCorrectClock;
extern int g_bAutoCorrect;
extern int g_bExitWhenDone;

// Instants of an SNTP exchange, seconds since 1900.
extern double g_dSendTime;
extern double g_dServerRecvTime;
extern double g_dServerXmitTime;
extern double g_dRecvTime;

// The worker's events: index 0 is "query pending", index 1 "timer tick".
inline constexpr int kEventQueryPending = 0;
inline constexpr int kEventTimerTick = 1;
extern std::array<platform::ManualResetEvent, 2> g_hEvents;

// Read by the worker thread, hence atomic.
extern std::atomic<int> g_bStopWatchdog;
