#pragma once

// horolux-cli --history: the stored measurements and the drift estimated from them.
#include "cli/cli_options.h"
#include "history/drift_estimate.h"
#include "history/history_store.h"
#include "history/measurement_row.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct HistoryListing {
    std::vector<history::MeasurementRow> rows;
    std::optional<history::DriftEstimate> drift;
};

// The rows measured from the given time on, and the drift the history window shows for
// them (its points and its estimate).
HistoryListing ReadHistory(history::HistoryStore& store, std::int64_t fromUtcMicroseconds);

// A header, one aligned line per row, then the drift in words; "no measurements yet"
// below the header when there are none.
std::string HistoryText(const HistoryListing& listing);
// A header row, then one row per measurement (RFC 4180 quoting); the drift is not a row.
std::string HistoryCsv(const HistoryListing& listing);
// One object: measurements, drift_ppm and drift_ppm_uncertainty (null without an
// estimate), and the drift in words.
std::string HistoryJson(const HistoryListing& listing);

// Reads the history since the options' start (all of it without one), prints it in the
// form asked for, and returns the exit status: 0, also when the history is empty or could
// not be read (that is said on stderr).
int RunHistoryListing(const CliOptions& options);
