#pragma once

// The rules any selection must keep, checked against every subset of the answers; shared by
// the unit test's random sets and the fuzz target. Returns the rule broken, or nullptr.
#include "timesync/source_agreement.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <vector>

namespace agreement_rules {

inline const char* BrokenRule(const std::vector<agreement::Source>& sources,
                              const agreement::Selection& selection) {
    using agreement::Source, agreement::Verdict;
    const std::size_t n = sources.size();
    if (n > 16 || selection.verdicts.size() != n) {
        return "one verdict per source";
    }
    // Whether the sources in mask are all good and share a point.
    const auto agree = [&](unsigned mask) {
        double low = -1e300, high = 1e300;
        for (std::size_t i = 0; i < n; ++i) {
            if (mask >> i & 1) {
                if (sources[i].state != Source::State::Good) {
                    return false;
                }
                low = std::max(low, sources[i].offset - agreement::SyncDistance(sources[i]));
                high = std::min(high, sources[i].offset + agreement::SyncDistance(sources[i]));
            }
        }
        return mask != 0 && low <= high;
    };
    int largest = 0;
    for (unsigned mask = 1; mask < 1u << n; ++mask) {
        largest = agree(mask) ? std::max(largest, std::popcount(mask)) : largest;
    }
    std::size_t good = 0;
    unsigned agreeing = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const Verdict verdict = selection.verdicts[i];
        good += sources[i].state == Source::State::Good;
        agreeing |= unsigned(verdict == Verdict::Used || verdict == Verdict::Agrees) << i;
        if ((verdict == Verdict::Used) != (selection.chosen == i)) {
            return "the chosen source alone is used";
        }
    }
    const bool majority = 2 * std::size_t(largest) > good;
    if (selection.chosen.has_value() != (majority && 2 * good >= n)) {
        return "a choice exactly with a majority of the answers and half of all answering";
    }
    if (std::popcount(agreeing) != (majority ? largest : 0) || (agreeing && !agree(agreeing))) {
        return "the agreeing set is a largest one sharing a point, only with a majority";
    }
    for (std::size_t i = 0; i < n; ++i) {
        const Verdict outside = sources[i].state == Source::State::Good
                                    ? Verdict::Falseticker
                                    : Verdict(int(sources[i].state) + int(Verdict::NoAnswer));
        if (!(agreeing >> i & 1) &&
            (selection.verdicts[i] != outside || (agreeing && agree(agreeing | 1u << i)))) {
            return "every answer outside agrees with no majority, and keeps its state";
        }
        if (selection.chosen && agreeing >> i & 1 &&
            agreement::SyncDistance(sources[i]) <
                agreement::SyncDistance(sources[*selection.chosen])) {
            return "the used answer is the nearest of the agreeing";
        }
    }
    return nullptr;
}

} // namespace agreement_rules
