#pragma once

// The history's points that the drift is estimated from.
#include "history/drift_estimate.h"
#include "history/measurement_row.h"

#include <span>
#include <vector>

namespace history {

// The answers used or agreeing, with an offset and a delay, in the given (time) order. A
// correction read from a point left out still ends the span at the point before it.
std::vector<DriftPoint> DriftPoints(std::span<const ChartPoint> points);

} // namespace history
