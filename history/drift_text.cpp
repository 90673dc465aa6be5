#include "history/drift_text.h"

#include "timesync/status_texts.h"
#include "timesync/time_sync_hooks.h"

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

} // namespace

std::string DurationText(double seconds) {
    if (seconds < 3600) {
        return TranslatedCount(std::llround(seconds / 60), QT_TRANSLATE_NOOP("texts", "1 minute"),
                               QT_TRANSLATE_NOOP("texts", "%1 minutes"));
    }
    if (seconds < 2 * 86400) {
        return TranslatedCount(std::llround(seconds / 3600), QT_TRANSLATE_NOOP("texts", "1 hour"),
                               QT_TRANSLATE_NOOP("texts", "%1 hours"));
    }
    return TranslatedCount(std::llround(seconds / 86400), QT_TRANSLATE_NOOP("texts", "1 day"),
                           QT_TRANSLATE_NOOP("texts", "%1 days"));
}

std::string DriftText(const std::optional<DriftEstimate>& estimate) {
    if (!estimate) {
        return Translated(QT_TRANSLATE_NOOP("texts", "Drift: not enough data yet"));
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
    const char* text =
        perDay < 0
            ? QT_TRANSLATE_NOOP("texts", "Your clock loses %1 s per day (%2 ppm), from %3 over %4, "
                                         "± %5 s/day")
            : QT_TRANSLATE_NOOP("texts", "Your clock gains %1 s per day (%2 ppm), from %3 over %4, "
                                         "± %5 s/day");
    return Translated(
        text, {Fixed(std::abs(perDay), decimals), Fixed(std::abs(estimate->driftPpm), ppmDecimals),
               TranslatedCount(estimate->measurements, QT_TRANSLATE_NOOP("texts", "1 measurement"),
                               QT_TRANSLATE_NOOP("texts", "%1 measurements")),
               DurationText(estimate->coveredSeconds), Fixed(uncertainty, decimals)});
}

} // namespace history
