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

    DriftEstimate estimate;
    double sxx = 0;
    double sxy = 0;
    for (const Span& span : spans) {
        double sw = 0;
        double swt = 0;
        double swy = 0;
        for (std::size_t i = span.begin; i < span.end; ++i) {
            const double w = Weight(points[i]);
            sw += w;
            swt += w * seconds(points[i]);
            swy += w * points[i].offsetSeconds;
        }
        const double meanT = swt / sw;
        const double meanY = swy / sw;
        for (std::size_t i = span.begin; i < span.end; ++i) {
            const double w = Weight(points[i]);
            const double dt = seconds(points[i]) - meanT;
            sxx += w * dt * dt;
            sxy += w * dt * (points[i].offsetSeconds - meanY);
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
        double sw = 0;
        double swt = 0;
        double swy = 0;
        for (std::size_t i = span.begin; i < span.end; ++i) {
            const double w = Weight(points[i]);
            sw += w;
            swt += w * seconds(points[i]);
            swy += w * points[i].offsetSeconds;
        }
        const double intercept = swy / sw - slope * (swt / sw);
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
