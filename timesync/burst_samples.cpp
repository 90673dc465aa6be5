#include "timesync/burst_samples.h"

#include <algorithm>
#include <cmath>

namespace burst {

bool WantsAnother(std::span<const Sample> samples, int wanted, bool kissOfDeath) {
    return !kissOfDeath && static_cast<int>(samples.size()) < wanted;
}

std::optional<std::size_t> ChooseSample(std::span<const Sample> samples) {
    std::optional<std::size_t> chosen;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (samples[i].state == Sample::State::Good &&
            (!chosen || samples[i].delay < samples[*chosen].delay)) {
            chosen = i;
        }
    }
    return chosen;
}

int AnsweredCount(std::span<const Sample> samples) {
    return static_cast<int>(std::count_if(samples.begin(), samples.end(), [](const Sample& s) {
        return s.state != Sample::State::NoAnswer;
    }));
}

int WaitForReplyMs(std::span<const Sample> samples) {
    const std::optional<std::size_t> fastest = ChooseSample(samples);
    if (!fastest) {
        return kSampleTimeoutMs;
    }
    const double delay = samples[*fastest].delay;
    if (std::isnan(delay)) {
        return kSampleTimeoutMs;
    }
    // A delay can be negative with a skewed server: that is still a fast path.
    const double ms = std::ceil(4000.0 * std::max(delay, 0.0));
    return static_cast<int>(std::clamp(ms, double{kMinSampleWaitMs}, double{kSampleTimeoutMs}));
}

} // namespace burst
