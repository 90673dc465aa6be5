// Any bytes as the reply to an SNTP or Time request, plain or correcting. Besides crashes
// and sanitizer reports it traps on an accepted reply that breaks a check: a clock set to
// before the release date, a negative or overlong round trip, an impossible stratum.
#include "tests/fuzz/require.h"
#include "timesync/clock_correction.h"
#include "timesync/reply_checks.h"
#include "timesync/reply_evaluation.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace {

constexpr std::uint64_t kNonce = 0x1122334455667788ULL;
// 2026-12-06 12:00:00 UTC on the 1900 scale.
constexpr std::int64_t kLocalNtpNs = 4005547200'000'000'000;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    // The first byte picks the protocol and the path; the rest is the reply.
    const auto protocol = (data[0] & 1) != 0 ? wire::Protocol::Time : wire::Protocol::Sntp;
    const bool correcting = (data[0] & 2) != 0;
    std::optional<double> setTo;
    TimeSyncHooks hooks;
    hooks.kernelClockNs = [] { return std::int64_t{1'000'000'000}; };
    hooks.setSystemClock = [&](const platform::UtcInstant& instant) {
        setTo = static_cast<double>(instant.seconds);
        return std::string();
    };
    ReceivedReply reply;
    reply.bytes = {data + 1, size - 1};
    reply.sentNtpNs = kLocalNtpNs - 10'000'000;
    reply.localNtpNs = kLocalNtpNs;
    reply.kernelNs = 1'000'000'000;
    const wire::Transport transport =
        wire::TransportFor(protocol == wire::Protocol::Time ? "Time" : "SNTP", "UDP");
    ReplyDecision decision = DecideReply(transport, reply, kNonce, NtsCheck::Unprotected);
    if (decision.refusal == ReplyDecision::Refusal::NotOurs) {
        return 0;
    }
    const std::optional<ReplyDecision> evaluation =
        correcting ? Corrected(std::move(decision), hooks) : std::move(decision);
    const QueryOutcome& outcome = evaluation->outcome;
    const bool accepted = outcome.result == QueryOutcome::Result::Answered ||
                          outcome.result == QueryOutcome::Result::Corrected;
    Require(setTo.has_value() == (outcome.result == QueryOutcome::Result::Corrected));
    if (setTo) {
        Require(*setTo >= static_cast<double>(checks::kEarliestTimebaseUnix));
    }
    if (accepted && protocol == wire::Protocol::Sntp) {
        Require(outcome.delay && std::isfinite(*outcome.delay) &&
                *outcome.delay <= checks::kQueryTimeoutSeconds &&
                *outcome.delay >=
                    -(checks::kCoarsestPrecisionSeconds + checks::kLocalPrecisionSeconds));
        Require(outcome.stratum && *outcome.stratum >= 1 && *outcome.stratum < 16);
        Require(outcome.offset && std::isfinite(*outcome.offset));
    }
    if (accepted && outcome.timebaseTime) {
        Require(outcome.timebaseTime->seconds >= checks::kEarliestTimebaseUnix);
    }
    return 0;
}
