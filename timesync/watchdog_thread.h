#pragma once

// The worker that paces a waiting query: while a query is pending it asks the window
// to step the progress control every step period, otherwise to clear it on each tick.
#include <chrono>
#include <memory>
#include <thread>

class ITimeSyncView;

// The worker's pace. Tests may shorten it; the code that runs is the same.
struct WatchdogTiming {
    // The longest wait for either event before the stop request is looked at again.
    std::chrono::milliseconds eventWait{200};
    // The pause after each step: with 21 steps to a time-out, about 4 s.
    std::chrono::milliseconds pauseAfterStep{200};
};
extern WatchdogTiming g_watchdogTiming;

// Owned by the GUI thread; empty until the first query starts the worker.
extern std::unique_ptr<std::thread> g_pWatchdogThread;

// The worker's thread function. Talks to the window only through view.Post, and waits
// for each posted step or clear to have run unless the stop request comes first.
void WatchdogThreadProc(ITimeSyncView* view);

// Starts the worker for the view (the query start does this once).
void StartWatchdogThread(ITimeSyncView& view);

// Asks the worker to stop, wakes it at once, abandons a step or clear it is waiting
// for, and waits for it to end. Never kills it. Leaves g_bStopWatchdog set.
void StopWatchdogThread();

// True while the worker waits for the window to run a step or clear (for tests that
// close the window at that moment).
bool IsWatchdogWaitingForWindow();
