#include "history/system_time_state.h"
#include "timesync/status_texts.h"
#include "timesync/time_sync_hooks.h"

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
    if (state.kernel.synchronized) {
        return Translated(
            QT_TRANSLATE_NOOP("texts", "System time service: synchronized, estimated error %1"),
            {ErrorAmountText(state.kernel.estimatedErrorSeconds)});
    }
    if (state.IsSynchronized()) {
        return Translated(QT_TRANSLATE_NOOP("texts", "System time service: synchronized"));
    }
    if (state.timedated && state.timedated->ntp) {
        return Translated(
            QT_TRANSLATE_NOOP("texts", "System time service: on, not synchronized yet"));
    }
    return Translated(QT_TRANSLATE_NOOP("texts", "System time service: not synchronized"));
}

} // namespace history
