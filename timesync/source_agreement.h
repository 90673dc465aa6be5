#pragma once

// Which of several Timebases to believe, the way NTP's selection does: each answer is an
// interval theta +- its synchronisation distance; the largest set of intervals with a point
// in common must hold a strict majority of the servers that answered, and at least half of
// all servers must have answered. Inside that majority the answer with the smallest distance
// is used; the answers outside it are falsetickers.
#include "timesync/answer_state.h"

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace agreement {

struct Source {
    using State = AnswerState;
    State state = State::NoAnswer;
    double offset = 0.0;
    double delay = 0.0;
    double rootDelay = 0.0;
    double rootDispersion = 0.0;
};

enum class Verdict { Used, Agrees, Falseticker, NoAnswer, Bogus };

struct Selection {
    // One per source, in the order given.
    std::vector<Verdict> verdicts;
    // The source to use; empty when the answers do not make a majority (then every good
    // answer outside the largest agreeing set, or all of them without a majority, are
    // falsetickers).
    std::optional<std::size_t> chosen;
};

// delta/2 + root dispersion + root delay/2: how far the answer may be from the true time.
double SyncDistance(const Source& source);
Selection Select(std::span<const Source> sources);

// The verdict as the JSON report names it.
const char* VerdictName(Verdict verdict);

} // namespace agreement
