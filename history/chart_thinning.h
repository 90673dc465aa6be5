#pragma once

// Which of a server's points the Clock History chart draws. A chart has a few hundred
// pixels across: beyond that, drawing every one of 200,000 points only costs seconds on
// the window's thread. Each time slice keeps its lowest and highest offset, so spikes
// stay visible, and every correction is kept.
#include "history/measurement_row.h"

#include <cstddef>
#include <span>
#include <vector>

namespace history {

// Indices into `points`, in time order, of the answered points of `server`: all of them
// when there are at most 2 * slices, else per slice of the time covered the first and last
// point, the lowest and the highest offset, and every corrected one.
std::vector<std::size_t> ChartedPoints(std::span<const ChartPoint> points, int server,
                                       std::size_t slices);

} // namespace history
