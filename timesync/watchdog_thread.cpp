#include "timesync/watchdog_thread.h"

#include "app/program_globals.h"
#include "timesync/time_sync_view.h"
#include "timesync/watchdog_handlers.h"

#include <array>
#include <atomic>
#include <memory>

using namespace std::chrono_literals;

WatchdogTiming g_watchdogTiming;
std::unique_ptr<std::thread> g_pWatchdogThread;

namespace {

// Set with g_bStopWatchdog, so that every wait of the worker ends at once.
platform::ManualResetEvent s_stopRequested;
std::atomic<bool> s_bWaitingForWindow{false};

bool StopRequested() {
    return g_bStopWatchdog.load() != 0;
}

// The "send and wait": runs the handler on the window's thread and waits until it has
// run. Gives up when the stop request comes first; the handler then never runs.
void SendToWindow(ITimeSyncView& view, void (*handler)(ITimeSyncView&)) {
    auto done = std::make_shared<platform::ManualResetEvent>();
    view.Post([done, handler, &view] {
        if (!StopRequested()) {
            handler(view);
        }
        done->Set();
    });
    s_bWaitingForWindow = true;
    const std::array<platform::ManualResetEvent*, 2> events{done.get(), &s_stopRequested};
    // Bounded waits only; the loop ends when the handler has run or the stop came.
    while (platform::WaitAny(events, 1s) == platform::kWaitTimeout) {
    }
    s_bWaitingForWindow = false;
}

void Pause(std::chrono::milliseconds duration) {
    const std::array<platform::ManualResetEvent*, 1> events{&s_stopRequested};
    platform::WaitAny(events, duration);
}

} // namespace

void WatchdogThreadProc(ITimeSyncView* view) {
    // The stop event comes last, so that a pending query still wins over a tick.
    const std::array<platform::ManualResetEvent*, 3> events{
        &g_hEvents[kEventQueryPending], &g_hEvents[kEventTimerTick], &s_stopRequested};
    while (!StopRequested()) {
        const int signalled = platform::WaitAny(events, g_watchdogTiming.eventWait);
        if (StopRequested()) {
            break;
        }
        if (signalled == kEventQueryPending) {
            SendToWindow(*view, OnWatchdogStep);
            Pause(g_watchdogTiming.pauseAfterStep);
        } else if (signalled == kEventTimerTick) {
            SendToWindow(*view, OnWatchdogClear);
            g_hEvents[kEventTimerTick].Reset();
        }
    }
}

void StartWatchdogThread(ITimeSyncView& view) {
    g_pWatchdogThread = std::make_unique<std::thread>(WatchdogThreadProc, &view);
}

void StopWatchdogThread() {
    g_bStopWatchdog = 1;
    s_stopRequested.Set();
    if (g_pWatchdogThread && g_pWatchdogThread->joinable()) {
        g_pWatchdogThread->join();
    }
    g_pWatchdogThread.reset();
    // The flag alone carries the request from here on (a worker started after this ends
    // at once, as before).
    s_stopRequested.Reset();
}

bool IsWatchdogWaitingForWindow() {
    return s_bWaitingForWindow.load();
}
