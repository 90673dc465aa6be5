#pragma once

// What a console run leaves in the history: one row per server asked.
#include "cli/cli_report.h"
#include "history/measurement_row.h"
#include "timesync/query_config.h"

#include <optional>
#include <span>

// How the server's query ended decides first (a bogus reply, a refused key exchange,
// silence), as for the window; an answer takes the agreement's verdict.
history::Verdict HistoryVerdict(const std::optional<QueryOutcome>& outcome,
                                agreement::Verdict verdict);

// Appends the report's servers, each with the configuration its query ran with (in the
// same order), as written by the program. A failure is one line on stderr; the run goes on as if it
// had worked.
void RecordHistory(const CliReport& report, std::span<const QueryConfig> configs,
                   const char* program);
