#pragma once

// A burst of SNTP requests to one Timebase. Queueing only ever adds delay, and the error of
// an exchange is at most half its delay, so the answered sample with the smallest round trip
// gives the offset.
#include "timesync/answer_state.h"

#include <cstddef>
#include <optional>
#include <span>

namespace burst {

inline constexpr int kMinSamples = 1;
inline constexpr int kMaxSamples = 8;
// Without a reply by then, the next request of a burst goes out (before any reply came).
inline constexpr int kSampleTimeoutMs = 500;
// A learned wait never goes below this, so a late reply on a fast path still counts.
inline constexpr int kMinSampleWaitMs = 20;

struct Sample {
    using State = AnswerState;
    State state = State::NoAnswer;
    // Theta and delta, for a good sample.
    double offset = 0.0;
    double delay = 0.0;
    // This sample gave the query's result.
    bool used = false;
};

// Whether another request follows the samples so far: not after a kiss-of-death, and not
// once the burst has all it wanted.
bool WantsAnother(std::span<const Sample> samples, int wanted, bool kissOfDeath);
// The good sample with the smallest delay (the earliest of equals); empty when none is good.
std::optional<std::size_t> ChooseSample(std::span<const Sample> samples);
// The samples that got a reply, good or bogus.
int AnsweredCount(std::span<const Sample> samples);
// How long to wait for a reply before the next request goes out: four times the smallest
// delay seen so far, within [kMinSampleWaitMs, kSampleTimeoutMs]; kSampleTimeoutMs before
// any good reply. A lost request then costs a few round trips, not half a second.
int WaitForReplyMs(std::span<const Sample> samples);

} // namespace burst
