#pragma once

#include <optional>

namespace platform {

// What the kernel says of its own clock: whether a time service keeps it synchronized and
// the errors that service last reported. Read with adjtimex and no modes set, which any
// user may do and which changes nothing.
struct KernelClockState {
    bool synchronized = false;
    double estimatedErrorSeconds = 0.0;
    double maximumErrorSeconds = 0.0;
};

// The kernel's state now; empty when the system does not tell it.
std::optional<KernelClockState> ReadKernelClockState();

// Tests put a known state in place of the kernel's; nullptr puts the kernel back.
using KernelClockReader = std::optional<KernelClockState> (*)();
void SetKernelClockReader(KernelClockReader reader);

} // namespace platform
