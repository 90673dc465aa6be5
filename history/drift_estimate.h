#pragma once

// The clock's drift from its history: a weighted least-squares slope of offset over time.
#include <cstdint>
#include <optional>
#include <span>

namespace history {

// One answered measurement as the drift needs it.
struct DriftPoint {
    // When it was measured, by the local clock (UTC microseconds).
    std::int64_t timeUtcMicroseconds = 0;
    // The Timebase minus the local clock, and the round-trip delay, in seconds.
    double offsetSeconds = 0;
    double delaySeconds = 0;
    // The clock was set from this measurement: the next one starts a new span.
    bool corrected = false;
};

struct DriftEstimate {
    // Positive: the local clock gains on the Timebase (runs fast).
    double driftPpm = 0;
    double uncertaintyPpm = 0;
    // Measurements in spans of two or more, and the time those spans cover.
    int measurements = 0;
    double coveredSeconds = 0;

    double SecondsPerDay() const { return driftPpm * 86400e-6; }
    double UncertaintySecondsPerDay() const { return uncertaintyPpm * 86400e-6; }
};

// Fewer points, or spans covering less time, are "not enough data yet".
inline constexpr int kMinDriftPoints = 3;
inline constexpr double kMinDriftSeconds = 120;

// The points in time order. Each span between corrections has its own intercept; the slope
// is common to all. Weights are 1 / (delay / 2)^2. Nothing when there is not enough data.
std::optional<DriftEstimate> EstimateDrift(std::span<const DriftPoint> points);

} // namespace history
