#pragma once

// What one answered query measured: a plain value, to be compared, stored and printed,
// and the only thing the clock is ever set from.
#include "platform/clock_setter.h"
#include "timesync/wire_format.h"

#include <cstdint>
#include <optional>

struct Measurement {
    wire::Transport transport{};
    // Theta, positive when the Timebase is ahead, and the round-trip delay, seconds. The
    // Time protocol gives whole seconds and no delay.
    double offset = 0.0;
    double delay = 0.0;
    // The Timebase's time, and when that was on the kernel's clock (ns, the scale of the
    // datagram stamps). Without that instant (Time protocol) the second is set as received.
    platform::UtcInstant timebaseTime;
    std::optional<std::int64_t> localNs;
    int stratum = 0;
    int leap = 0;
    double rootDelay = 0.0;
    double rootDispersion = 0.0;
    bool authenticated = false;
    // The requests of the query that were answered, good or bogus.
    int samplesAnswered = 1;

    double RootDistance() const { return rootDelay / 2 + rootDispersion; }
    bool operator==(const Measurement&) const = default;
};
