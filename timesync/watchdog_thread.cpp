#include "timesync/watchdog_thread.h"

#include <array>
#include <memory>

using namespace std::chrono_literals;

CWatchdogThread::CWatchdogThread(WatchdogLinks links, WatchdogTiming timing)
    : m_links(std::move(links)), m_timing(timing), m_thread([this] { Run(); }) {}

CWatchdogThread::~CWatchdogThread() {
    m_bStopWatchdog = true;
    m_stopRequested.Set();
    m_thread.join();
}

void CWatchdogThread::Run() {
    // The stop event comes last, so that a pending query still wins over a tick.
    const std::array<platform::ManualResetEvent*, 3> events{&m_links.queryPending,
                                                            &m_links.timerTick, &m_stopRequested};
    while (!StopRequested()) {
        const int signalled = platform::WaitAny(events, m_timing.eventWait);
        if (StopRequested()) {
            break;
        }
        if (signalled == 0) {
            SendToWindow(m_links.step);
            const std::array<platform::ManualResetEvent*, 1> stop{&m_stopRequested};
            platform::WaitAny(stop, m_timing.pauseAfterStep);
        } else if (signalled == 1) {
            SendToWindow(m_links.clear);
            m_links.timerTick.Reset();
        }
    }
}

// The "send and wait": runs the handler on the GUI thread and waits until it has run.
// Gives up when the stop request comes first; the handler then never runs.
void CWatchdogThread::SendToWindow(const std::function<void()>& handler) {
    auto done = std::make_shared<platform::ManualResetEvent>();
    m_links.post([this, done, handler] {
        if (!StopRequested()) {
            handler();
        }
        done->Set();
    });
    m_bWaitingForWindow = true;
    const std::array<platform::ManualResetEvent*, 2> events{done.get(), &m_stopRequested};
    // Bounded waits only; the loop ends when the handler has run or the stop came.
    while (platform::WaitAny(events, 1s) == platform::kWaitTimeout) {
    }
    m_bWaitingForWindow = false;
}
