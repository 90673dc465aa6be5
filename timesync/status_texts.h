#pragma once

#include <cinttypes>

// Every text the time query writes into pane 0 of the status bar or shows in a box.
namespace texts {

// Progress of a query, in the order they appear.
inline constexpr const char* kSocketCreated = "Socket Created.";
inline constexpr const char* kConnecting = "Connecting to Timebase...";
inline constexpr const char* kConnected = "Connected; waiting for Correct Time...";

// The Timebase's name gave no address, followed by the host (escaped and limited); the
// query tries again at its time-out, and a run that ends there ends with kEndedPrefix and
// the same words without kTryingAgain.
inline constexpr const char* kNameNotFound = "Timebase name not found: ";
inline constexpr const char* kNameLookupFailed = "Timebase name lookup failed: ";
inline constexpr const char* kTryingAgain = "; trying again";
inline constexpr const char* kEndedPrefix = "Reset: ";

// Reasons that end a query.
inline constexpr const char* kSocketCreationFailed = "Reset: Socket Creation FAILED!";
inline constexpr const char* kConnectFailed =
    "Reset: Connect FAILED. Verify Internet Link and/or TimeBase.";
inline constexpr const char* kBogusData = "Reset: Selected Timebase returned bogus data!";
inline constexpr const char* kResetByUser = "Reset by User Command";
inline constexpr const char* kAuthenticationFailed = "Reset: Timebase reply failed authentication!";
// Followed by one of the reasons below.
inline constexpr const char* kKeyExchangeFailed = "Reset: NTS Key Exchange FAILED: ";
inline constexpr const char* kKeHostNotFound = "host not found";
inline constexpr const char* kKeRefused = "refused";
inline constexpr const char* kKeTimedOut = "timed out";
inline constexpr const char* kKeUntrusted = "certificate not trusted";
inline constexpr const char* kKeNameMismatch = "name mismatch";
inline constexpr const char* kKeNoNts = "no NTS on the server";
inline constexpr const char* kKeBadResponse = "bad response";
inline constexpr const char* kKeCaFileUnreadable = "CA file unreadable";
// Followed by the system's reason, for example "Operation not permitted".
inline constexpr const char* kClockNotCorrected = "Reset: System Clock NOT Corrected: ";

// Results. "%c" stands for the Timebase time as MM/DD/YY HH:MM:SS in local time.
inline constexpr const char* kTimebaseClockPrefix = "Timebase Clock: ";
inline constexpr const char* kClockSuffix = ". ";
inline constexpr const char* kCorrectedByPrefix = "System Clock Corrected by: ";
inline constexpr const char* kCorrectedToPrefix = "System Clock Corrected to: ";
// "%.3f seconds" and "Delta: %.3f seconds": the number has three decimals.
inline constexpr const char* kSecondsSuffix = " seconds";
inline constexpr const char* kDeltaPrefix = "Delta: ";
inline constexpr const char* kCalendarFormat = "%m/%d/%y %H:%M:%S";
// "Delta: %D days %H:%M:%S" of a signed whole-second difference.
inline constexpr const char* kDeltaSpanFormat =
    "Delta: %" PRId64 " days %02" PRId64 ":%02" PRId64 ":%02" PRId64;

// The maximum delta warning, captioned with the program's name.
inline constexpr const char* kMaxDeltaWarning =
    "Maximum Delta Warning\n\nThis message indicates one of the following:\n"
    "- Time Zone and/or Daylight Saving Time settings are defined incorrectly in Control "
    "Panel,\n"
    "- You have an invalid TZ (timezone) string defined in your Environment Variables,\n"
    "- Your system clock is simply more than 30 minutes off.";
inline constexpr const char* kMaxDeltaWarningCaption = "Horolux";

} // namespace texts
