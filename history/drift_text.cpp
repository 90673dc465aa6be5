#include "history/drift_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace history {

namespace {

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string Counted(long long count, const char* unit) {
    return std::to_string(count) + " " + unit + (count == 1 ? "" : "s");
}

} // namespace

std::string DurationText(double seconds) {
    if (seconds < 3600) {
        return Counted(std::llround(seconds / 60), "minute");
    }
    if (seconds < 2 * 86400) {
        return Counted(std::llround(seconds / 3600), "hour");
    }
    return Counted(std::llround(seconds / 86400), "day");
}

std::string DriftText(const std::optional<DriftEstimate>& estimate) {
    if (!estimate) {
        return "Drift: not enough data yet";
    }
    // As many decimals as the uncertainty's first digit needs, at least two.
    const double perDay = estimate->SecondsPerDay();
    const double uncertainty = estimate->UncertaintySecondsPerDay();
    int decimals = 2;
    if (uncertainty > 0 && std::isfinite(uncertainty)) {
        decimals = std::clamp(static_cast<int>(-std::floor(std::log10(uncertainty))), 2, 6);
    }
    // One ppm is 0.0864 s per day: one decimal fewer says as much.
    const int ppmDecimals = std::max(1, decimals - 1);
    return std::string("Your clock ") + (perDay < 0 ? "loses " : "gains ") +
           Fixed(std::abs(perDay), decimals) + " s per day (" +
           Fixed(std::abs(estimate->driftPpm), ppmDecimals) + " ppm), from " +
           Counted(estimate->measurements, "measurement") + " over " +
           DurationText(estimate->coveredSeconds) + ", \u00b1 " + Fixed(uncertainty, decimals) +
           " s/day";
}

} // namespace history
