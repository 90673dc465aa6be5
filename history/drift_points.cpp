#include "history/drift_points.h"

namespace history {

std::vector<DriftPoint> DriftPoints(std::span<const ChartPoint> points) {
    std::vector<DriftPoint> kept;
    for (const ChartPoint& point : points) {
        const bool answered = point.verdict == Verdict::Used || point.verdict == Verdict::Agrees;
        if (answered && point.offsetSeconds && point.delaySeconds) {
            kept.push_back({point.timeUtcMicroseconds, *point.offsetSeconds, *point.delaySeconds,
                            point.corrected});
        } else if (point.corrected && !kept.empty()) {
            kept.back().corrected = true;
        }
    }
    return kept;
}

} // namespace history
