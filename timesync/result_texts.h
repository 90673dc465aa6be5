#pragma once

// The result texts of a reply and the maximum-delta rule.
#include <cstdint>
#include <string>
#include <string_view>

namespace results {

// "%c": the local calendar time as MM/DD/YY HH:MM:SS.
std::string FormatClock(std::int64_t unixSeconds);

// "%.3f seconds", "Delta: %.3f seconds".
std::string FormatSeconds(double seconds);
std::string FormatDeltaSeconds(double seconds);

// "Delta: %D days %H:%M:%S" of a whole-second difference; every part truncates toward
// zero and keeps the sign, the last three at least two characters wide.
std::string FormatDeltaSpan(std::int64_t delta);

// "Timebase Clock: %c. Delta: %.3f seconds"
std::string SntpReportText(std::int64_t unixSeconds, double offset);
// "Timebase Clock: %c. Delta: %D days %H:%M:%S"
std::string TimeReportText(std::int64_t unixSeconds, std::int64_t delta);
// "System Clock Corrected by: %.3f seconds"
std::string SntpCorrectedText(double offset);
// "System Clock Corrected to: %c. "
std::string TimeCorrectedText(std::int64_t unixSeconds);
// "Reset: System Clock NOT Corrected: " and the system's reason.
std::string ClockNotCorrectedText(std::string_view reason);

// "Reset: NTS Key Exchange FAILED: " and the reason.
std::string KeyExchangeFailedText(std::string_view reason);

// "Timebase name not found: <host>; trying again" while the query goes on, or
// "Reset: Timebase name not found: <host>" once it ended; "name lookup failed" when the
// name servers gave no verdict. The host's control bytes are escaped and a long host cut.
std::string NameNotResolvedText(std::string_view host, bool notFound, bool ended);

// 30 minutes or more either way: whole seconds divided by 60, truncated.
bool ExceedsMaximumDelta(std::int64_t wholeSeconds);

} // namespace results
