#pragma once

// The history as CSV, for a spreadsheet: one header line, then one line per row.
#include "history/measurement_row.h"

#include <QString>
#include <span>

namespace history {

QString HistoryCsv(std::span<const MeasurementRow> rows);

} // namespace history
