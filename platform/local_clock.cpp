#include "platform/local_clock.h"

#include <ctime>

namespace platform {

double LocalClockNtp() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<double>(now.tv_sec + kSecondsFrom1900To1970) +
           static_cast<double>(now.tv_nsec) * 1e-9;
}

} // namespace platform
