#include "platform/local_clock.h"

#ifdef _WIN32
#include <chrono>
#else
#include <ctime>
#endif

namespace platform {

#ifdef _WIN32

std::int64_t LocalClockNtpNs() {
    // C++20's system clock counts from 1970 like the POSIX one.
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return (std::chrono::duration_cast<std::chrono::nanoseconds>(now).count() +
            kSecondsFrom1900To1970 * 1'000'000'000LL);
}

#else

std::int64_t LocalClockNtpNs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return (static_cast<std::int64_t>(now.tv_sec) + kSecondsFrom1900To1970) * 1'000'000'000LL +
           now.tv_nsec;
}

#endif

} // namespace platform
