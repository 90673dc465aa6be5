#pragma once

#include "cli/cli_texts.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

// Command line of horolux-cli. Options override the stored settings for one run only.
// horolux-cli's requests per server unless told otherwise, as ntpdate sends.
inline constexpr int kCliDefaultSamples = 4;
// --check's time-out unless told otherwise.
inline constexpr double kCheckTimeoutSeconds = 10.0;

struct CliOptions {
    // Up to kMaxServers; several are asked at once and must agree.
    QStringList servers;
    // The stored pair when not given: "SNTP"/"UDP", "Time"/"TCP" or "Time"/"UDP".
    std::optional<QString> protocol;
    std::optional<QString> socketType;
    std::optional<int> port;
    std::optional<QString> caFile;
    // CA certificates already read and checked by the root helper; never set by the parser.
    std::string caPem;
    bool correct = false;
    double timeoutSeconds = 60.0;
    // SNTP requests per server; the one with the smallest round trip is used.
    // Empty: the stored Samples setting (horolux without a display); horolux-cli's
    // parser makes it 4 unless told otherwise.
    std::optional<int> samples;
    bool json = false;
    // --check: one monitoring-plugins line and status instead; it never corrects.
    bool check = false;
    QString warning;
    QString critical;
    // --metrics: also write the metrics exposition to this file.
    std::optional<QString> metricsFile;
    // One history row per server asked; --no-history, and the privileged helper, write none.
    bool writeHistory = true;
    // Who the rows name: horolux without a display runs this same code.
    const char* historyProgram = cli_texts::kProgramName;
    // --history: print the stored rows and the drift instead of asking; --since's start
    // (UTC microseconds, or that long before now), --csv for comma-separated rows.
    bool listHistory = false;
    std::optional<std::int64_t> sinceUtcMicroseconds;
    std::optional<std::int64_t> sinceAgoMicroseconds;
    bool csv = false;
    bool help = false;
    bool version = false;
};

inline constexpr int kMaxServers = 8;

struct CliUsageError {
    QString message;
};

std::variant<CliOptions, CliUsageError> ParseCliOptions(const QStringList& arguments);

// A monitoring system reads usage errors of --check as UNKNOWN, not as the usual status.
bool AsksForCheck(const QStringList& arguments);

// The text --help prints.
QString CliHelpText();
