#pragma once

// The history's row for one server's part in a query: the one conversion shared by the
// window and horolux-cli, so that both programs write the same columns the same way.
#include "history/measurement_row.h"
#include "timesync/query_config.h"
#include "timesync/query_outcome.h"

#include <cstdint>

namespace history {

// The verdict on a query to one server, by how it ended.
Verdict VerdictOf(const QueryOutcome& outcome);

// The row for the outcome of a query made with the configuration, written by the program
// ("horolux" or "horolux-cli") with the verdict the caller gave it, stamped now.
MeasurementRow RowOf(const QueryOutcome& outcome, const QueryConfig& config, const char* program,
                     Verdict verdict);
// The same, stamped at the given instant (UTC microseconds).
MeasurementRow RowOf(const QueryOutcome& outcome, const QueryConfig& config, const char* program,
                     Verdict verdict, std::int64_t timeUtcMicroseconds);

} // namespace history
