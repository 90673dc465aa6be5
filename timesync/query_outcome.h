#pragma once

// How a query ended, and what the evaluation of its reply found beyond the status text:
// the figures a caller that reports more than one line (horolux-cli --json) needs.
// Fields a protocol or an ending does not produce stay empty.
#include "platform/clock_setter.h"
#include "timesync/burst_samples.h"
#include "timesync/measurement.h"
#include "timesync/wire_format.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct QueryOutcome {
    enum class Result {
        // A plain query was answered.
        Answered,
        // A correcting query set the clock.
        Corrected,
        // The reply was refused as bogus.
        Bogus,
        // The reply was good but the system refused to set the clock.
        ClockNotSet,
        // The system gave no socket.
        SocketFailed,
        // The connection to the Timebase failed.
        ConnectFailed,
        // The NTS key exchange failed, or the reply failed authentication.
        AuthenticationFailed,
        // Ended before an answer: by the user, or by a console run's time-out.
        Reset,
    };
    Result result = Result::Answered;
    wire::Protocol protocol = wire::Protocol::Sntp;
    // The address that answered, as text (empty when unknown).
    std::string address;
    // The system's reason for not setting the clock.
    std::string refusal;
    // SNTP: theta, positive when the Timebase is ahead, and the round-trip delay.
    std::optional<double> offset;
    std::optional<double> delay;
    // Time protocol: D, the local clock minus the Timebase time in whole seconds.
    std::optional<std::int64_t> delta;
    // The Timebase's time (SNTP: at the reply's arrival; Time: the second received).
    std::optional<platform::UtcInstant> timebaseTime;
    // SNTP header fields of the reply, also of a bogus one that was long enough.
    std::optional<int> stratum;
    std::optional<int> leap;
    // SNTP: the reply's root delay and root dispersion, seconds (for the agreement of servers).
    std::optional<double> rootDelay;
    std::optional<double> rootDispersion;
    // NTS: the port the time requests went to, the one the key exchange named.
    std::optional<std::uint16_t> ntpPort;
    // SNTP and NTS: every request of the burst, in the order sent.
    std::vector<burst::Sample> samples;
    // NTS: the reply was authenticated; the key exchange's duration when this query made one.
    bool authenticated = false;
    std::optional<double> ntsKeMs;
    // What the reply measured; empty when it was refused or never came.
    std::optional<Measurement> measurement;
    // A correcting query measured a step beyond the maximum delta and left the clock for
    // the user to decide (QueryConfig::askBeforeLargeStep).
    bool largeStepToConfirm = false;
};
