#pragma once

// The drift in plain words.
#include "history/drift_estimate.h"

#include <optional>
#include <string>

namespace history {

// "Your clock gains 0.84 s per day (9.7 ppm), from 37 measurements over 6 days,
// ± 0.05 s/day" (or "loses"); "Drift: not enough data yet" without an estimate.
std::string DriftText(const std::optional<DriftEstimate>& estimate);

// "45 minutes", "5 hours", "6 days": rounded, in the largest unit that keeps it legible.
std::string DurationText(double seconds);

} // namespace history
