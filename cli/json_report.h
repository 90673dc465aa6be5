#pragma once

// The --json form of a console run's report.
#include "cli/cli_report.h"
#include "platform/clock_setter.h"

#include <string>
#include <string_view>

// One JSON object on one line, every key always present (null where it does not apply):
// server, address, protocol, transport, port, ntp_port, result, offset_seconds, delay_seconds,
// delta_seconds, timebase_time, stratum, leap_indicator, corrected, error, the samples and
// servers, system_synchronized and system_estimated_error_seconds (the kernel's view).
std::string FormatJson(const CliReport& report);

// Fixed decimals whatever the locale, never an exponent; null for what JSON has no number
// for (NaN, the infinities). Seconds: to the nanosecond.
std::string JsonNumber(double value, int decimals);
std::string Seconds(double value);

// One object on one line, its members in the order added; values are JSON text already.
class JsonObject {
  public:
    void Add(const char* key, const std::string& value);
    std::string Finish() const;

  private:
    std::string m_text;
};

// A JSON string literal of UTF-8 text.
std::string JsonString(std::string_view text);

// ISO 8601 in UTC: 2026-12-06T09:15:55Z, with microseconds when asked for.
std::string Iso8601Utc(const platform::UtcInstant& instant, bool microseconds);
