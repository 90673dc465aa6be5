#include "history/chart_thinning.h"

#include <algorithm>

namespace history {

std::vector<std::size_t> ChartedPoints(std::span<const ChartPoint> points, int server,
                                       std::size_t slices) {
    std::vector<std::size_t> answered;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (points[i].server == server && points[i].offsetSeconds) {
            answered.push_back(i);
        }
    }
    if (slices == 0 || answered.size() <= 2 * slices) {
        return answered;
    }
    const std::int64_t first = points[answered.front()].timeUtcMicroseconds;
    const std::int64_t span = points[answered.back()].timeUtcMicroseconds - first + 1;
    const auto sliceOf = [&](std::size_t index) {
        const std::int64_t into = points[index].timeUtcMicroseconds - first;
        return static_cast<std::size_t>(static_cast<double>(into) / static_cast<double>(span) *
                                        static_cast<double>(slices));
    };
    std::vector<std::size_t> kept;
    for (std::size_t begin = 0; begin < answered.size();) {
        std::size_t end = begin;
        const std::size_t slice = sliceOf(answered[begin]);
        while (end < answered.size() && sliceOf(answered[end]) == slice) {
            ++end;
        }
        const auto offset = [&](std::size_t index) { return *points[index].offsetSeconds; };
        const auto byOffset = [&](std::size_t a, std::size_t b) { return offset(a) < offset(b); };
        const auto [low, high] =
            std::minmax_element(answered.begin() + static_cast<long>(begin),
                                answered.begin() + static_cast<long>(end), byOffset);
        for (std::size_t at = begin; at < end; ++at) {
            const std::size_t index = answered[at];
            if (at == begin || at + 1 == end || index == *low || index == *high ||
                points[index].corrected) {
                kept.push_back(index);
            }
        }
        begin = end;
    }
    return kept;
}

} // namespace history
