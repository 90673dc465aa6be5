#include "history/system_time_state.h"

#include <cmath>
#include <cstdio>

namespace history {

std::string ErrorAmountText(double seconds) {
    char text[64];
    const double magnitude = std::abs(seconds);
    if (magnitude >= 1) {
        std::snprintf(text, sizeof text, "\u00b1 %.1f s", magnitude);
    } else if (magnitude >= 0.001) {
        std::snprintf(text, sizeof text, "\u00b1 %.0f ms", magnitude * 1e3);
    } else {
        std::snprintf(text, sizeof text, "\u00b1 %.1f ms", magnitude * 1e3);
    }
    return text;
}

std::string SystemTimeText(const SystemTimeState& state) {
    const std::string prefix = "System time service: ";
    if (state.kernel.synchronized) {
        return prefix + "synchronized, estimated error " +
               ErrorAmountText(state.kernel.estimatedErrorSeconds);
    }
    if (state.IsSynchronized()) {
        return prefix + "synchronized";
    }
    if (state.timedated && state.timedated->ntp) {
        return prefix + "on, not synchronized yet";
    }
    return prefix + "not synchronized";
}

} // namespace history
