#pragma once

// The system's time service as the rest of the desktop sees it: timedated on the system bus.
#include "history/system_time_state.h"

#include <QDBusConnection>

#include <functional>
#include <optional>

namespace history {

// How long a reading may hold up its caller when timedated has to be started first.
inline constexpr int kTimedatedTimeoutMilliseconds = 1000;

// org.freedesktop.timedate1's NTP and NTPSynchronized; empty where the bus, the service
// or either property is missing or the answer takes too long.
std::optional<TimedatedState> ReadTimedated(const QDBusConnection& bus);
// The same on the system bus.
std::optional<TimedatedState> ReadTimedated();

// Where the state comes from: the window and the CLI give the kernel's reader and
// ReadTimedated; tests give a synchronized state of their own.
struct SystemTimeSources {
    std::function<platform::KernelClockState()> kernel;
    std::function<std::optional<TimedatedState>()> timedated;

    SystemTimeState Read() const;
};

} // namespace history
