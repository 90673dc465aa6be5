#include "history/drift_estimate.h"
#include "history/drift_text.h"
#include "history/system_time_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

using history::DriftPoint;

// 37 checks over six days with delays of 10 to 80 ms, each offset off by up to a quarter of
// its delay; the clock is stepped to the Timebase after measurement correctAt.
std::vector<DriftPoint> Synthetic(double ppm, int correctAt) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> delay(0.010, 0.080);
    std::uniform_real_distribution<double> unit(-1, 1);
    std::vector<DriftPoint> points;
    double offsetAtStep = 1.5;
    double stepTime = 0;
    for (int i = 0; i < 37; ++i) {
        const double t = i * 6.0 * 86400 / 36 + unit(random) * 600;
        DriftPoint point;
        point.timeUtcMicroseconds = 1'800'000'000'000'000 + static_cast<std::int64_t>(t * 1e6);
        point.delaySeconds = delay(random);
        point.offsetSeconds =
            offsetAtStep - ppm * 1e-6 * (t - stepTime) + unit(random) * point.delaySeconds / 4;
        point.corrected = i == correctAt;
        if (point.corrected) {
            offsetAtStep = 0;
            stepTime = t;
        }
        points.push_back(point);
    }
    return points;
}

TEST(DriftEstimate, FindsAKnownDriftWithinTwoPercentOrItsUncertainty) {
    struct Case {
        double ppm;
        int correctAt;
    };
    for (const Case c : {Case{10, -1}, Case{-3, -1}, Case{10, 18}, Case{-3, 18}}) {
        SCOPED_TRACE(testing::Message() << c.ppm << " ppm, corrected at " << c.correctAt);
        const auto estimate = history::EstimateDrift(Synthetic(c.ppm, c.correctAt));
        ASSERT_TRUE(estimate);
        EXPECT_LE(std::abs(estimate->driftPpm - c.ppm),
                  std::max(0.02 * std::abs(c.ppm), estimate->uncertaintyPpm));
        EXPECT_TRUE(estimate->uncertaintyPpm > 0 && estimate->uncertaintyPpm < 0.5);
        EXPECT_EQ(estimate->measurements, 37);
    }
}

TEST(DriftEstimate, WantsThreePointsOverTwoMinutes) {
    std::vector<DriftPoint> points = Synthetic(10, -1);
    EXPECT_FALSE(history::EstimateDrift(std::span(points).first(2)));
    // Three points over 100 s; three points with the last alone after a correction.
    for (int i = 0; i < 3; ++i) {
        points[i].timeUtcMicroseconds = points[0].timeUtcMicroseconds + i * 50'000'000LL;
    }
    EXPECT_FALSE(history::EstimateDrift(std::span(points).first(3)));
    points = Synthetic(10, 1);
    EXPECT_FALSE(history::EstimateDrift(std::span(points).first(3)));
    EXPECT_TRUE(history::EstimateDrift(std::span(points).first(4)));
    EXPECT_EQ(history::DriftText(std::nullopt), "Drift: not enough data yet");
}

TEST(DriftText, SaysGainsOrLosesWithTheUncertainty) {
    history::DriftEstimate gains{0.84 / 0.0864, 0.05 / 0.0864, 37, 6 * 86400.0};
    EXPECT_EQ(history::DriftText(gains), "Your clock gains 0.84 s per day (9.7 ppm), from 37 "
                                         "measurements over 6 days, \u00b1 0.05 s/day");
    history::DriftEstimate loses{-3, 0.01, 3, 5400};
    EXPECT_EQ(history::DriftText(loses), "Your clock loses 0.2592 s per day (3.000 ppm), from 3 "
                                         "measurements over 2 hours, \u00b1 0.0009 s/day");
}

TEST(SystemTimeText, NamesTheStateAndTheError) {
    history::SystemTimeState state;
    EXPECT_EQ(history::SystemTimeText(state), "System time service: not synchronized");
    state.timedated = history::TimedatedState{true, false};
    EXPECT_EQ(history::SystemTimeText(state), "System time service: on, not synchronized yet");
    state.kernel = {true, 0.002, 0.1};
    EXPECT_TRUE(state.IsSynchronized());
    EXPECT_EQ(history::SystemTimeText(state),
              "System time service: synchronized, estimated error \u00b1 2 ms");
}

} // namespace
