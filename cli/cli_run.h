#pragma once

#include "cli/cli_options.h"

// One console run on the thread of the running QCoreApplication: the query (or the
// correction) that the window would run with the stored settings and the options, paced
// the same way, until it ends or the time-out runs out. Prints the result line or the
// JSON object on standard output and returns the exit status. Without readStored the
// built-in defaults stand in for the settings file, which is not opened at all.
int RunCli(const CliOptions& options, bool readStored = true);
