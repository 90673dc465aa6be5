#include "timesync/burst_samples.h"

#include <algorithm>

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

} // namespace burst
