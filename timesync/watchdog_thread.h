#pragma once

// The worker that paces a waiting query: while a query is pending it has the query step
// its progress every step period, otherwise clear it on each tick of the window.
#include "platform/manual_reset_event.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

// The worker's pace. Tests may shorten it; the code that runs is the same.
struct WatchdogTiming {
    // The longest wait for either event before the stop request is looked at again.
    std::chrono::milliseconds eventWait{200};
    // The pause after each step: with 21 steps to a time-out, about 4 s.
    std::chrono::milliseconds pauseAfterStep{200};
};

// What the worker waits on and asks for. The handlers run on the GUI thread through post,
// which must drop a task whose target has gone.
struct WatchdogLinks {
    platform::ManualResetEvent& queryPending;
    platform::ManualResetEvent& timerTick;
    std::function<void(std::function<void()>)> post;
    std::function<void()> step;
    std::function<void()> clear;
};

// Owns the worker thread: started by the constructor, stopped and joined by the
// destructor, which wakes it at once and abandons a step it is waiting for. Never kills it.
class CWatchdogThread {
  public:
    CWatchdogThread(WatchdogLinks links, WatchdogTiming timing);
    ~CWatchdogThread();
    CWatchdogThread(const CWatchdogThread&) = delete;
    CWatchdogThread& operator=(const CWatchdogThread&) = delete;

    // True while the worker waits for the GUI thread to run a step or clear (for tests
    // that end the query's owner at that moment).
    bool IsWaitingForWindow() const { return m_bWaitingForWindow.load(); }

  private:
    void Run();
    void SendToWindow(const std::function<void()>& handler);
    bool StopRequested() const { return m_bStopWatchdog.load(); }

    WatchdogLinks m_links;
    const WatchdogTiming m_timing;
    std::atomic<bool> m_bStopWatchdog{false};
    // Set with the flag, so that every wait of the worker ends at once.
    platform::ManualResetEvent m_stopRequested;
    std::atomic<bool> m_bWaitingForWindow{false};
    std::thread m_thread;
};
