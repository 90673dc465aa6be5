#include "timesync/clock_correction.h"

#include "timesync/result_texts.h"

namespace {

constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;

platform::UtcInstant Later(platform::UtcInstant instant, std::int64_t nanoseconds) {
    const std::int64_t total = instant.nanoseconds + nanoseconds;
    std::int64_t seconds = total / kNanosecondsPerSecond;
    std::int64_t rest = total % kNanosecondsPerSecond;
    if (rest < 0) {
        rest += kNanosecondsPerSecond;
        --seconds;
    }
    return {instant.seconds + seconds, static_cast<std::int32_t>(rest)};
}

} // namespace

std::string SetClockFrom(const Measurement& measurement, const TimeSyncHooks& hooks) {
    platform::UtcInstant instant = measurement.timebaseTime;
    if (measurement.localNs) {
        instant = Later(instant, hooks.kernelClockNs() - *measurement.localNs);
    }
    return hooks.setSystemClock(instant);
}

ReplyDecision Corrected(ReplyDecision decision, const TimeSyncHooks& hooks) {
    const std::optional<Measurement>& measurement = decision.outcome.measurement;
    if (!measurement) {
        return decision;
    }
    decision.deltaWarning = false;
    QueryOutcome& outcome = decision.outcome;
    // A clock that was not set is never reported as corrected.
    const std::string refusal = SetClockFrom(*measurement, hooks);
    if (!refusal.empty()) {
        outcome.result = QueryOutcome::Result::ClockNotSet;
        outcome.refusal = refusal;
        decision.text = results::ClockNotCorrectedText(refusal);
        return decision;
    }
    outcome.result = QueryOutcome::Result::Corrected;
    decision.text = measurement->transport.protocol == wire::Protocol::Time
                        ? results::TimeCorrectedText(measurement->timebaseTime.seconds)
                        : results::SntpCorrectedText(measurement->offset);
    return decision;
}
