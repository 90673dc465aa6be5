#include "platform/manual_reset_event.h"

namespace platform {

namespace {
std::mutex& Lock() {
    static std::mutex mutex;
    return mutex;
}
std::condition_variable& Changed() {
    static std::condition_variable condition;
    return condition;
}
} // namespace

void ManualResetEvent::Set() {
    {
        std::lock_guard guard(Lock());
        m_bSignalled = true;
    }
    Changed().notify_all();
}

void ManualResetEvent::Reset() {
    std::lock_guard guard(Lock());
    m_bSignalled = false;
}

bool ManualResetEvent::IsSet() const {
    std::lock_guard guard(Lock());
    return m_bSignalled;
}

int WaitAny(std::span<ManualResetEvent* const> events, std::chrono::milliseconds timeout) {
    auto lowestSignalled = [&events]() {
        for (size_t i = 0; i < events.size(); ++i) {
            if (events[i]->m_bSignalled) {
                return static_cast<int>(i);
            }
        }
        return kWaitTimeout;
    };
    std::unique_lock guard(Lock());
    int index = kWaitTimeout;
    Changed().wait_for(guard, timeout, [&] {
        index = lowestSignalled();
        return index != kWaitTimeout;
    });
    return index;
}

} // namespace platform
