#include "platform/kernel_clock_state.h"

#include <sys/timex.h>

namespace platform {
namespace {

KernelClockReader g_reader = nullptr;

std::optional<KernelClockState> ReadFromKernel() {
    timex state{};
    state.modes = 0;
    const int clockState = adjtimex(&state);
    if (clockState == -1) {
        return std::nullopt;
    }
    KernelClockState result;
    // TIME_ERROR is how the kernel answers while STA_UNSYNC is set or the maximum error
    // has grown past its limit; either way nobody keeps the clock right.
    result.synchronized = clockState != TIME_ERROR && (state.status & STA_UNSYNC) == 0;
    result.estimatedErrorSeconds = static_cast<double>(state.esterror) / 1e6;
    result.maximumErrorSeconds = static_cast<double>(state.maxerror) / 1e6;
    return result;
}

} // namespace

std::optional<KernelClockState> ReadKernelClockState() {
    return g_reader ? g_reader() : ReadFromKernel();
}

void SetKernelClockReader(KernelClockReader reader) {
    g_reader = reader;
}

} // namespace platform
