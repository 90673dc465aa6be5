#include "platform/local_clock.h"

#ifdef _WIN32
#include <chrono>
#else
#include <ctime>
#endif

namespace platform {

#ifdef _WIN32

double LocalClockNtp() {
    // C++20's system clock counts from 1970 like the POSIX one.
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto seconds = std::chrono::floor<std::chrono::seconds>(now);
    return static_cast<double>(seconds.count() + kSecondsFrom1900To1970) +
           std::chrono::duration<double>(now - seconds).count();
}

#else

double LocalClockNtp() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<double>(now.tv_sec + kSecondsFrom1900To1970) +
           static_cast<double>(now.tv_nsec) * 1e-9;
}

#endif

} // namespace platform
