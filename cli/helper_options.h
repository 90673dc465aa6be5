#pragma once

#include "cli/cli_options.h"

#include <QStringList>
#include <variant>

// Command line of the privileged helper horolux-correct: only --server, --protocol, --port
// and --ca-file (a file under /etc or /usr). The run always corrects and prints JSON.
std::variant<CliOptions, CliUsageError> ParseHelperOptions(const QStringList& arguments);
