#pragma once

// What the system says about its own time keeping: the kernel's clock state and, where
// the system bus offers it, timedated's view.
#include "platform/kernel_clock_state.h"

#include <optional>
#include <string>

namespace history {

// org.freedesktop.timedate1's NTP and NTPSynchronized properties.
struct TimedatedState {
    bool ntp = false;
    bool ntpSynchronized = false;
};

struct SystemTimeState {
    platform::KernelClockState kernel;
    // Empty where there is no system bus or no timedated on it.
    std::optional<TimedatedState> timedated;

    // Either view says a service keeps the clock: a step by hand would fight it.
    bool IsSynchronized() const {
        return kernel.synchronized || (timedated && timedated->ntpSynchronized);
    }
};

// "± 2 ms", "± 0.4 ms", "± 1.5 s".
std::string ErrorAmountText(double seconds);

// "System time service: synchronized, estimated error ± 2 ms"; "System time service: on,
// not synchronized yet" while timedated's NTP is on; else "System time service: not
// synchronized".
std::string SystemTimeText(const SystemTimeState& state);

} // namespace history
