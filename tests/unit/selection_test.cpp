#include "tests/support/agreement_rules.h"
#include "timesync/burst_samples.h"
#include "timesync/source_agreement.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using State = burst::Sample::State;

TEST(Burst, ChoosesTheGoodSampleOfSmallestDelayAndWaitsFourOfIt) {
    const burst::Sample none{}, bogus{State::Bogus};
    const struct {
        std::vector<burst::Sample> samples;
        std::optional<std::size_t> chosen;
        int answered;
        int waitMs; // before the next request: 4 delays within [20, 500] ms, else 500
    } cases[] = {
        {{}, std::nullopt, 0, 500},
        {{none, bogus}, std::nullopt, 1, 500},
        {{{State::Good, 0.004, 0.010}, {State::Good, -0.001, 0.006}, {State::Good, 0.0, 0.008}},
         1,
         3,
         24},
        // the earliest of equal delays; no answer and bogus replies never count, however short
        {{none, {State::Good, 0.1, 0.004}, bogus, {State::Good, 0.2, 0.004}}, 1, 3, 20},
        {{{State::Good, 0.0, 0.2}}, 0, 1, 500},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(burst::ChooseSample(c.samples), c.chosen);
        EXPECT_EQ(burst::AnsweredCount(c.samples), c.answered);
        EXPECT_EQ(burst::WaitForReplyMs(c.samples), c.waitMs);
    }
    const std::vector<burst::Sample> three(3);
    EXPECT_TRUE(burst::WantsAnother(three, 4, false));
    EXPECT_FALSE(burst::WantsAnother(three, 4, true)); // a kiss-of-death ends the burst
    EXPECT_FALSE(burst::WantsAnother(three, 3, false));
}

// The verdicts of a selection as letters: U used, a agrees, F falseticker, - no answer, B bogus.
std::string Verdicts(const std::vector<agreement::Source>& sources) {
    const agreement::Selection selection = agreement::Select(sources);
    std::string letters;
    for (const agreement::Verdict verdict : selection.verdicts) {
        letters += "UaF-B"[static_cast<int>(verdict)];
    }
    EXPECT_EQ(selection.chosen.has_value(), letters.find('U') != std::string::npos);
    return letters;
}

TEST(Agreement, MajorityOfOverlappingIntervals) {
    // offset, delay, root delay, root dispersion: distance = delay/2 + dispersion + root delay/2
    auto good = [](double offset, double delay, double rootDelay = 0, double rootDispersion = 0) {
        return agreement::Source{agreement::Source::State::Good, offset, delay, rootDelay,
                                 rootDispersion};
    };
    const std::pair<std::vector<agreement::Source>, const char*> cases[] = {
        {{good(0.001, 0.004)}, "U"},
        {{good(0.001, 0.004), good(0.0, 0.002), good(10.0, 0.004)}, "aUF"},
        // root delay and dispersion widen an interval (and lose the choice to a nearer server)
        {{good(0.0, 0.002, 0.0, 0.0011), good(0.003, 0.002)}, "aU"},
        {{good(0.0, 0.002, 0.0022), good(0.003, 0.002)}, "aU"},
    };
    for (const auto& [sources, expected] : cases) {
        EXPECT_EQ(Verdicts(sources), expected) << expected;
    }
}

// Random sets of up to eight sources against the rules any selection must keep.
TEST(Agreement, RandomSetsKeepTheMajorityRules) {
    using agreement::Source;
    std::mt19937 random(19);
    const auto pick = [&](unsigned n) { return static_cast<int>(random() % n); };
    for (int run = 0; run < 1000; ++run) {
        std::vector<Source> sources(pick(9));
        for (Source& source : sources) {
            // Sixty-fourths keep touching intervals exact.
            source = {pick(3) ? Source::State::Good : Source::State(pick(2)), pick(64) / 64.0,
                      pick(8) / 32.0, pick(4) / 64.0, pick(4) / 64.0};
        }
        const char* broken = agreement_rules::BrokenRule(sources, agreement::Select(sources));
        EXPECT_EQ(broken, nullptr) << "run " << run << ": " << broken;
    }
}

} // namespace
