#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <span>

namespace platform {

// An event that stays signalled until reset, like a Win32 manual-reset event.
class ManualResetEvent {
  public:
    ManualResetEvent() = default;
    ManualResetEvent(const ManualResetEvent&) = delete;
    ManualResetEvent& operator=(const ManualResetEvent&) = delete;

    void Set();
    void Reset();
    bool IsSet() const;

  private:
    friend int WaitAny(std::span<ManualResetEvent* const>, std::chrono::milliseconds);
    // All events share one lock and condition so that a wait on several of them
    // needs no bookkeeping of waiters per event.
    bool m_bSignalled = false;
};

inline constexpr int kWaitTimeout = -1;

// Waits until at least one event is signalled and returns the lowest signalled
// index, or kWaitTimeout when none was signalled within the time-out.
int WaitAny(std::span<ManualResetEvent* const> events, std::chrono::milliseconds timeout);

} // namespace platform
