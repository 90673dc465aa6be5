#include "timesync/source_agreement.h"

namespace agreement {

double SyncDistance(const Source& source) {
    return source.delay / 2 + source.rootDispersion + source.rootDelay / 2;
}

Selection Select(std::span<const Source> sources) {
    Selection selection;
    std::vector<std::size_t> good;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const Source::State state = sources[i].state;
        selection.verdicts.push_back(state == Source::State::Good    ? Verdict::Falseticker
                                     : state == Source::State::Bogus ? Verdict::Bogus
                                                                     : Verdict::NoAnswer);
        if (state == Source::State::Good) {
            good.push_back(i);
        }
    }
    auto low = [&](std::size_t i) { return sources[i].offset - SyncDistance(sources[i]); };
    auto high = [&](std::size_t i) { return sources[i].offset + SyncDistance(sources[i]); };
    // Intervals that overlap pairwise share a point, and the leftmost such point is one
    // of their lower ends: trying each lower end finds the largest agreeing set.
    std::vector<std::size_t> largest;
    for (const std::size_t candidate : good) {
        std::vector<std::size_t> members;
        for (const std::size_t i : good) {
            if (low(i) <= low(candidate) && low(candidate) <= high(i)) {
                members.push_back(i);
            }
        }
        if (members.size() > largest.size()) {
            largest = std::move(members);
        }
    }
    if (2 * largest.size() <= good.size()) {
        return selection;
    }
    for (const std::size_t i : largest) {
        selection.verdicts[i] = Verdict::Agrees;
        if (!selection.chosen ||
            SyncDistance(sources[i]) < SyncDistance(sources[*selection.chosen])) {
            selection.chosen = i;
        }
    }
    if (2 * good.size() < sources.size()) {
        selection.chosen.reset();
        return selection;
    }
    selection.verdicts[*selection.chosen] = Verdict::Used;
    return selection;
}

const char* VerdictName(Verdict verdict) {
    switch (verdict) {
    case Verdict::Used:
        return "used";
    case Verdict::Agrees:
        return "agrees";
    case Verdict::Falseticker:
        return "falseticker";
    case Verdict::NoAnswer:
        return "no answer";
    case Verdict::Bogus:
        return "bogus";
    }
    return "no answer";
}

} // namespace agreement
