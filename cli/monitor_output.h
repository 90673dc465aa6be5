#pragma once

// The monitoring outputs of a console run: the --check line and the --metrics file.
#include "cli/check_mode.h"
#include "cli/cli_options.h"
#include "cli/cli_report.h"
#include "cli/metrics_report.h"

check::Input CheckInputOf(const CliReport& report);
MetricsInput MetricsInputOf(const CliReport& report);

// Prints the check line on standard output and returns the check's exit status.
int PrintCheck(const CliReport& report, const CliOptions& options);

// Writes the metrics file the options name; on failure says why on standard error and
// returns false.
bool WriteMetricsFile(const CliReport& report, const CliOptions& options);
