#include "history/drift_estimate.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace history {

namespace {

// A delay below this says nothing more about the offset: the clock readings and the
// server's stamps are not finer.
constexpr double kMinUncertaintySeconds = 50e-6;

struct Span {
    std::size_t begin = 0;
    std::size_t end = 0;
};

double Weight(const DriftPoint& point) {
    const double sigma = std::max(std::abs(point.delaySeconds) / 2, kMinUncertaintySeconds);
    return 1 / (sigma * sigma);
}

} // namespace

std::optional<DriftEstimate> EstimateDrift(std::span<const DriftPoint> points) {
    std::vector<Span> spans;
    std::size_t begin = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (points[i].corrected || i + 1 == points.size()) {
            if (i + 1 - begin >= 2) {
                spans.push_back({begin, i + 1});
            }
            begin = i + 1;
        }
    }
    if (points.empty()) {
        return std::nullopt;
    }
    // Seconds from the first point keep the sums' precision at microsecond stamps.
    const std::int64_t origin = points.front().timeUtcMicroseconds;
    const auto seconds = [origin](const DriftPoint& point) {
        return static_cast<double>(point.timeUtcMicroseconds - origin) * 1e-6;
    };

    // Each span's weighted mean time and offset: its own intercept, the slope shared.
    struct Means {
        double t = 0;
        double y = 0;
    };
    const auto meansOf = [&](const Span& span) {
        double sw = 0;
        Means sums;
        for (std::size_t i = span.begin; i < span.end; ++i) {
            const double w = Weight(points[i]);
            sw += w;
            sums.t += w * seconds(points[i]);
            sums.y += w * points[i].offsetSeconds;
        }
        return Means{sums.t / sw, sums.y / sw};
    };

    DriftEstimate estimate;
    double sxx = 0;
    double sxy = 0;
    for (const Span& span : spans) {
        const Means mean = meansOf(span);
        for (std::size_t i = span.begin; i < span.end; ++i) {
            const double w = Weight(points[i]);
            const double dt = seconds(points[i]) - mean.t;
            sxx += w * dt * dt;
            sxy += w * dt * (points[i].offsetSeconds - mean.y);
        }
        estimate.measurements += static_cast<int>(span.end - span.begin);
        estimate.coveredSeconds += seconds(points[span.end - 1]) - seconds(points[span.begin]);
    }
    if (estimate.measurements < kMinDriftPoints || estimate.coveredSeconds < kMinDriftSeconds ||
        !(sxx > 0)) {
        return std::nullopt;
    }
    const double slope = sxy / sxx;

    // The delays bound the errors; when the points scatter more than that, the scatter
    // is the better measure of the slope's uncertainty.
    double chiSquare = 0;
    for (const Span& span : spans) {
        const Means mean = meansOf(span);
        const double intercept = mean.y - slope * mean.t;
        for (std::size_t i = span.begin; i < span.end; ++i) {
            const double residual =
                points[i].offsetSeconds - intercept - slope * seconds(points[i]);
            chiSquare += Weight(points[i]) * residual * residual;
        }
    }
    const int freedom = estimate.measurements - static_cast<int>(spans.size()) - 1;
    const double scale = freedom > 0 ? std::max(1.0, chiSquare / freedom) : 1.0;

    // The offset is the Timebase minus the local clock: a clock that gains makes it fall.
    estimate.driftPpm = -slope * 1e6;
    estimate.uncertaintyPpm = std::sqrt(scale / sxx) * 1e6;
    return estimate;
}

} // namespace history
