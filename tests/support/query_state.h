#pragma once

// Puts the program-wide query state back between tests, and waits for a query to end.
#include "app/program_globals.h"
#include "timesync/time_query.h"
#include "timesync/time_sync_hooks.h"
#include "timesync/watchdog_thread.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <string>

inline void ResetQueryState() {
    StopWatchdogThread();
    DiscardQuerySocket();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    g_bStopWatchdog = 0;
    g_bCorrectClock = 0;
    g_bAutoCorrect = 0;
    g_bExitWhenDone = 0;
    g_nTimebasePort = 0;
    g_hEvents[kEventQueryPending].Reset();
    g_hEvents[kEventTimerTick].Reset();
    g_watchdogTiming = WatchdogTiming{};
    ResetHooks();
}

inline void UseTimebase(const char* protocol, const char* socketType, const char* host) {
    g_strProtocol = QString::fromLatin1(protocol);
    g_strSocketType = QString::fromLatin1(socketType);
    g_strTimeBase = QString::fromLatin1(host);
}

inline bool QueryPending() {
    return g_hEvents[kEventQueryPending].IsSet();
}

// Runs the event loop until the running query has ended, for at most timeoutMs.
inline bool WaitForQueryEnd(int timeoutMs = 5000) {
    return QTest::qWaitFor([] { return !QueryPending(); }, timeoutMs);
}

// Runs the event loop until done() holds, for at most timeoutMs, without the pauses of
// QTest::qWaitFor between rounds (for long runs of short cycles).
inline bool RunEventsUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    QTimer wake; // bounds each wait for an event
    wake.start(20);
    while (!done()) {
        if (clock.elapsed() > timeoutMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

// Starts or stops one of the sandbox's real servers (chronyd, inetd).
inline bool Servers(const char* action, const char* name) {
    const char* source = std::getenv("HOROLUX_SOURCE_DIR");
    if (source == nullptr) {
        return false;
    }
    const std::string command =
        std::string(source) + "/tests/support/servers " + action + " " + name + " >&2";
    return std::system(command.c_str()) == 0;
}
