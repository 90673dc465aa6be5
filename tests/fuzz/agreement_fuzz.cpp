// Any answers of up to eight servers: the choice must lie in a strict majority of the
// answers whose intervals share a point, that majority must be the largest such set, and
// there is a choice exactly when that set is a strict majority of the answers and at least
// half of the servers answered. Checked against every subset of the answers.
#include "timesync/source_agreement.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

using agreement::Source;
using agreement::Verdict;

double Low(const Source& source) {
    return source.offset - agreement::SyncDistance(source);
}

double High(const Source& source) {
    return source.offset + agreement::SyncDistance(source);
}

bool ShareAPoint(const std::vector<Source>& sources, const std::vector<std::size_t>& members) {
    double low = -1e300;
    double high = 1e300;
    for (const std::size_t i : members) {
        low = std::max(low, Low(sources[i]));
        high = std::min(high, High(sources[i]));
    }
    return low <= high;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Five bytes a server: its state, then offset, delay, root delay and root dispersion
    // in steps of a millisecond (offsets either side of zero, the rest never negative).
    std::vector<Source> sources;
    for (std::size_t at = 0; at + 5 <= size && sources.size() < 8; at += 5) {
        Source source;
        source.state = static_cast<Source::State>(data[at] % 3);
        source.offset = (static_cast<int>(data[at + 1]) - 128) * 0.001;
        source.delay = data[at + 2] * 0.001;
        source.rootDelay = data[at + 3] * 0.0005;
        source.rootDispersion = data[at + 4] * 0.0002;
        sources.push_back(source);
    }
    const agreement::Selection selection = agreement::Select(sources);
    if (selection.verdicts.size() != sources.size()) {
        __builtin_trap();
    }
    std::vector<std::size_t> good;
    std::vector<std::size_t> agreeing;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const Verdict verdict = selection.verdicts[i];
        const bool isGood = sources[i].state == Source::State::Good;
        if (isGood != (verdict == Verdict::Used || verdict == Verdict::Agrees ||
                       verdict == Verdict::Falseticker)) {
            __builtin_trap();
        }
        if (isGood) {
            good.push_back(i);
        }
        if (verdict == Verdict::Used || verdict == Verdict::Agrees) {
            agreeing.push_back(i);
        }
    }
    std::size_t largest = 0;
    for (unsigned subset = 1; subset < (1U << good.size()); ++subset) {
        std::vector<std::size_t> members;
        for (std::size_t bit = 0; bit < good.size(); ++bit) {
            if (subset & (1U << bit)) {
                members.push_back(good[bit]);
            }
        }
        if (ShareAPoint(sources, members)) {
            largest = std::max(largest, members.size());
        }
    }
    const bool majority = 2 * largest > good.size();
    const bool enoughAnswered = 2 * good.size() >= sources.size();
    if (selection.chosen.has_value() != (majority && enoughAnswered)) {
        __builtin_trap();
    }
    if (!majority) {
        if (!agreeing.empty()) {
            __builtin_trap();
        }
        return 0;
    }
    if (agreeing.size() != largest || !ShareAPoint(sources, agreeing)) {
        __builtin_trap();
    }
    if (const auto chosen = selection.chosen) {
        if (selection.verdicts[*chosen] != Verdict::Used ||
            std::count(selection.verdicts.begin(), selection.verdicts.end(), Verdict::Used) != 1) {
            __builtin_trap();
        }
        for (const std::size_t i : agreeing) {
            if (agreement::SyncDistance(sources[i]) < agreement::SyncDistance(sources[*chosen])) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
