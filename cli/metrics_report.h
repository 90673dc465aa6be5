#pragma once

// horolux-cli --metrics: the text exposition node_exporter's textfile collector reads,
// from the figures of one run. Pure functions of their input.
#include "platform/kernel_clock_state.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct MetricsServer {
    std::string server;
    std::optional<double> offset;
    std::optional<double> delay;
    std::optional<int> stratum;
    bool authenticated = false;
    // As the JSON report names it: used, agrees, falseticker, no answer, bogus.
    std::string verdict;
};

struct MetricsInput {
    std::vector<MetricsServer> servers;
    // Seconds since 1970 (UTC) of the last run that answered; empty before the first.
    std::optional<double> lastSuccess;
    // Empty when the system does not tell.
    std::optional<platform::KernelClockState> system;
};

std::string FormatMetrics(const MetricsInput& input);

// The last success an earlier exposition recorded, so that a failed run keeps it.
std::optional<double> LastSuccessIn(std::string_view exposition);

// A label value with backslash, double quote and line feed escaped.
std::string EscapeLabelValue(std::string_view text);
