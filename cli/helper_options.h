#pragma once

#include "cli/cli_options.h"

#include <QStringList>
#include <variant>

// Command line of the privileged helper horolux-correct: only --server, --protocol, --port
// and --ca-file. The run always corrects and prints JSON. Pure: the CA file is checked when
// it is opened (cli/helper_ca_file.h).
std::variant<CliOptions, CliUsageError> ParseHelperOptions(const QStringList& arguments);

// The one answer to a --ca-file that is missing, unreadable or refused.
inline constexpr const char* kHelperCaFileRefused =
    "--ca-file takes a CA file (PEM) under /etc/ssl/certs, /usr/share/ca-certificates or "
    "/usr/local/share/ca-certificates";
