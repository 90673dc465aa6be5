#pragma once

// The --json form of a console run's report.
#include "cli/cli_report.h"
#include "platform/clock_setter.h"

#include <string>
#include <string_view>

// One JSON object on one line, every key always present (null where it does not apply):
// server, address, protocol, transport, port, ntp_port, result, offset_seconds, delay_seconds,
// delta_seconds, timebase_time, stratum, leap_indicator, corrected, error.
std::string FormatJson(const CliReport& report);

// A JSON string literal of UTF-8 text.
std::string JsonString(std::string_view text);

// ISO 8601 in UTC: 2026-12-06T09:15:55Z, with microseconds when asked for.
std::string Iso8601Utc(const platform::UtcInstant& instant, bool microseconds);
