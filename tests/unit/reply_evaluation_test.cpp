// The decision on a reply, in-process: crafted bytes and clock readings in, the end of
// the query (or nothing, for a datagram that is not ours) out. Every refusal and every
// result text, on the plain and the correcting path.
#include "timesync/clock_correction.h"
#include "timesync/reply_evaluation.h"

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Result = QueryOutcome::Result;

constexpr std::uint64_t kNonce = 0x1122334455667788ULL;
// 2026-12-06 12:00:00 UTC on the 1900 scale (era 0).
constexpr double kT1 = 4005547200.0;
constexpr std::int64_t kNotifiedNs = 5'000'000'000;
constexpr const char* kBogus = "Reset: Selected Timebase returned bogus data!";

void Put(Bytes& bytes, std::size_t offset, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes[offset + static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(value >> (8 * (size - 1 - i)));
    }
}

std::uint64_t Stamp(double t) {
    const auto seconds = static_cast<std::uint64_t>(t);
    return seconds << 32 |
           static_cast<std::uint64_t>((t - static_cast<double>(seconds)) * 4294967296.0);
}

// A server reply (version 4, stratum 2, precision 1 s) receiving and sending at t.
Bytes Sntp(double t, std::uint8_t header = 0x24, std::uint8_t stratum = 2) {
    Bytes bytes(48, 0);
    bytes[0] = header;
    bytes[1] = stratum;
    Put(bytes, 24, kNonce, 8);
    Put(bytes, 32, Stamp(t), 8);
    Put(bytes, 40, Stamp(t), 8);
    return bytes;
}

// Received at t2, sent at t3, with a precision of 2^precision seconds.
Bytes Held(double t2, double t3, std::uint8_t precision = 0) {
    Bytes bytes = Sntp(t2);
    Put(bytes, 40, Stamp(t3), 8);
    bytes[3] = precision;
    return bytes;
}

std::int64_t Ns(double secondsSince1900) {
    return std::llround(secondsSince1900 * 1e9);
}

template <typename Change> Bytes Changed(Bytes bytes, Change change) {
    change(bytes);
    return bytes;
}

Bytes Time(std::uint32_t wire, std::size_t size = 4) {
    Bytes bytes(4, 0);
    Put(bytes, 0, wire, 4);
    bytes.resize(size);
    return bytes;
}

struct Case {
    const char* what;
    wire::Protocol protocol;
    Bytes bytes;
    bool correcting;
    const char* text; // null: dropped, the query waits on
    Result result = Result::Bogus;
    bool warn = false;
    double setTo = 0; // where the clock was set, as seconds since 1970; 0: not set
    const char* refusal = "";
};

const wire::Protocol kSntp = wire::Protocol::Sntp;
const wire::Protocol kTime = wire::Protocol::Time;
// 2040-07-03 14:34:56 UTC: era 1 on the wire, top bit clear.
constexpr std::uint32_t k2040Wire = 0x08485E10U;
constexpr double k2040Unix = 2224938896.0;
constexpr const char* kAhead = "Timebase Clock: 12/06/26 12:00:10. Delta: 10.000 seconds";
// The time at arrival carried on by the 0.12 s since (see the hooks below).
constexpr double kSetAhead = kT1 - 2208988800.0 + 10.62;

const Case kCases[] = {
    // T1 = t, T4 = t + 0.5, the server at t + 10.25: theta is +10, the delay 0.5.
    {"ahead", kSntp, Sntp(kT1 + 10.25), false, kAhead, Result::Answered},
    {"30 minutes", kSntp, Sntp(kT1 + 1800.25), false,
     "Timebase Clock: 12/06/26 12:30:00. Delta: 1800.000 seconds", Result::Answered, true},
    {"just under", kSntp, Sntp(kT1 - 1798.75), false,
     "Timebase Clock: 12/06/26 11:30:01. Delta: -1799.000 seconds", Result::Answered},
    // Longer datagrams are read for their first 48 bytes; versions 1 to 4 and leap
    // indicators 0 to 2 are fine.
    {"68 bytes", kSntp, Changed(Sntp(kT1 + 10.25), [](Bytes& b) { b.resize(68, 0xAA); }), false,
     kAhead, Result::Answered},
    {"version 1, leap 2, stratum 1", kSntp, Sntp(kT1 + 10.25, 0x8C, 1), false, kAhead,
     Result::Answered},
    {"correcting", kSntp, Sntp(kT1 + 10.25), true, "System Clock Corrected by: 10.000 seconds",
     Result::Corrected, false, kSetAhead},
    {"refused", kSntp, Sntp(kT1 + 10.25), true,
     "Reset: System Clock NOT Corrected: Operation not permitted", Result::ClockNotSet, false,
     kSetAhead, "Operation not permitted"},
    {"47 bytes", kSntp, Changed(Sntp(kT1), [](Bytes& b) { b.resize(47); }), true, nullptr},
    {"kiss-of-death", kSntp, Sntp(kT1, 0x24, 0), true, kBogus},
    {"leap 3", kSntp, Sntp(kT1, 0xE4), true, kBogus},
    {"mode 3", kSntp, Sntp(kT1, 0x23), true, kBogus},
    {"mode 5", kSntp, Sntp(kT1, 0x25), true, kBogus},
    {"zero receive", kSntp, Changed(Sntp(kT1), [](Bytes& b) { Put(b, 32, 0, 8); }), true, kBogus},
    {"zero transmit", kSntp, Changed(Sntp(kT1), [](Bytes& b) { Put(b, 40, 0, 8); }), true, kBogus},
    {"before the release", kSntp, Sntp(kT1 - 500000.0), true, kBogus},
    {"version 0", kSntp, Sntp(kT1, 0x04), true, kBogus},
    {"version 5", kSntp, Sntp(kT1, 0x2C), true, kBogus},
    {"stratum 16", kSntp, Sntp(kT1, 0x24, 16), true, kBogus},
    {"root dispersion 16 s", kSntp, Changed(Sntp(kT1), [](Bytes& b) { Put(b, 8, 0x100000, 4); }),
     true, kBogus},
    {"root delay 32 s", kSntp, Changed(Sntp(kT1), [](Bytes& b) { Put(b, 4, 0x200000, 4); }), true,
     kBogus},
    {"sent 2 s before received", kSntp, Held(kT1 + 12, kT1 + 10), true, kBogus},
    // Held 2 s on a round trip of 0.5 s: a delay of -1.5 s.
    {"negative delay", kSntp, Held(kT1 + 10, kT1 + 12), true, kBogus},
    // Within its precision of 8 s it sent 5 s before it received: a delay of 5.5 s.
    {"delay past the time-out", kSntp, Held(kT1 + 15, kT1 + 10, 3), true, kBogus},
    // A precision of 2^20 s excuses nothing beyond a second: a delay of -999.5 s.
    {"coarse precision", kSntp, Held(kT1, kT1 + 1000, 20), true, kBogus},
    {"another request", kSntp, Changed(Sntp(kT1), [](Bytes& b) { b[31] ^= 1; }), true, nullptr},
    // The local clock at 2040-07-03 15:35:57: D is local minus Timebase.
    {"2040", kTime, Time(k2040Wire), false,
     "Timebase Clock: 07/03/40 14:34:56. Delta: 0 days 01:01:01", Result::Answered, true},
    {"time correcting", kTime, Time(k2040Wire), true,
     "System Clock Corrected to: 07/03/40 14:34:56. ", Result::Corrected, false, k2040Unix},
    // No time before this release is taken: 2026-11-30 23:59:59.
    {"before the release, time", kTime, Time(4005071999U), true, kBogus},
    {"3 bytes", kTime, Time(k2040Wire, 3), true, kBogus},
    {"time zero", kTime, Time(0), true, kBogus},
};

TEST(ReplyDecision, EndsTheQueryAsItShould) {
    setenv("TZ", "UTC", 1);
    tzset();
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        std::vector<platform::UtcInstant> set;
        TimeSyncHooks hooks;
        // The clock is set 20 ms after the notification.
        hooks.kernelClockNs = [] { return kNotifiedNs + 20'000'000; };
        hooks.setSystemClock = [&](const platform::UtcInstant& instant) {
            set.push_back(instant);
            return std::string(c.refusal);
        };
        // The datagram waited 0.1 s in the socket before the notification read the clocks;
        // the Time protocol compares with the local clock at 2040-07-03 15:35:57.
        const double localNtp = c.protocol == kTime ? k2040Unix + 2208988800.0 + 3661.5 : kT1 + 0.6;
        const ReceivedReply reply{c.bytes,     Ns(kT1),      kNotifiedNs - 100'000'000,
                                  "192.0.2.7", Ns(localNtp), kNotifiedNs};
        const wire::Transport transport =
            wire::TransportFor(c.protocol == kTime ? "Time" : "SNTP", "UDP");
        ReplyDecision decision = DecideReply(transport, reply, kNonce, NtsCheck::Unprotected);
        const bool dropped = decision.refusal == ReplyDecision::Refusal::NotOurs;
        // Only an answer carries a measurement, and only a measurement may set the clock.
        EXPECT_EQ(decision.outcome.measurement.has_value(),
                  decision.refusal == ReplyDecision::Refusal::None);
        const std::optional<ReplyDecision> end =
            dropped ? std::nullopt
                    : std::optional(c.correcting ? Corrected(decision, hooks) : decision);
        EXPECT_EQ(set.size(), c.setTo == 0 ? 0U : 1U);
        if (!set.empty()) {
            EXPECT_NEAR(static_cast<double>(set[0].seconds) + set[0].nanoseconds * 1e-9, c.setTo,
                        1e-5);
        }
        EXPECT_EQ(end.has_value(), c.text != nullptr);
        if (!end || !c.text) {
            continue;
        }
        EXPECT_EQ(end->text, c.text);
        EXPECT_EQ(end->outcome.result, c.result);
        EXPECT_EQ(end->deltaWarning, c.warn);
        EXPECT_EQ(end->outcome.address, "192.0.2.7");
        if (c.result == Result::Answered && c.protocol == kSntp) {
            EXPECT_NEAR(*end->outcome.delay, 0.5, 1e-6);
            // The Timebase time belongs to the arrival stamp, not to the later reading.
            EXPECT_EQ(end->outcome.measurement->localNs, kNotifiedNs - 100'000'000);
        }
    }
}

} // namespace
