#pragma once

#include <cinttypes>

// Marks the texts for lupdate; the core builds without Qt, and Qt's own is the same.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

// Every text the time query writes into pane 0 of the status bar or shows in a box, in
// English; Translated() (time_sync_hooks.h) gives the user's language.
namespace texts {

// Progress of a query, in the order they appear.
inline constexpr const char* kSocketCreated = QT_TRANSLATE_NOOP("texts", "Socket Created.");
inline constexpr const char* kConnecting = QT_TRANSLATE_NOOP("texts", "Connecting to Timebase...");
inline constexpr const char* kConnected =
    QT_TRANSLATE_NOOP("texts", "Connected; waiting for Correct Time...");

// The Timebase's name gave no address, followed by the host (escaped and limited); the
// query tries again at its time-out, and a run that ends there ends with kEndedPrefix and
// the same words without kTryingAgain.
inline constexpr const char* kNameNotFound =
    QT_TRANSLATE_NOOP("texts", "Timebase name not found: ");
inline constexpr const char* kNameLookupFailed =
    QT_TRANSLATE_NOOP("texts", "Timebase name lookup failed: ");
inline constexpr const char* kTryingAgain = QT_TRANSLATE_NOOP("texts", "; trying again");
inline constexpr const char* kEndedPrefix = QT_TRANSLATE_NOOP("texts", "Reset: ");

// Reasons that end a query.
inline constexpr const char* kSocketCreationFailed =
    QT_TRANSLATE_NOOP("texts", "Reset: Socket Creation FAILED!");
inline constexpr const char* kConnectFailed =
    QT_TRANSLATE_NOOP("texts", "Reset: Connect FAILED. Verify Internet Link and/or TimeBase.");
inline constexpr const char* kBogusData =
    QT_TRANSLATE_NOOP("texts", "Reset: Selected Timebase returned bogus data!");
inline constexpr const char* kResetByUser = QT_TRANSLATE_NOOP("texts", "Reset by User Command");
inline constexpr const char* kAuthenticationFailed =
    QT_TRANSLATE_NOOP("texts", "Reset: Timebase reply failed authentication!");
// Followed by one of the reasons below.
inline constexpr const char* kKeyExchangeFailed =
    QT_TRANSLATE_NOOP("texts", "Reset: NTS Key Exchange FAILED: ");
inline constexpr const char* kKeHostNotFound = QT_TRANSLATE_NOOP("texts", "host not found");
inline constexpr const char* kKeRefused = QT_TRANSLATE_NOOP("texts", "refused");
inline constexpr const char* kKeTimedOut = QT_TRANSLATE_NOOP("texts", "timed out");
inline constexpr const char* kKeUntrusted = QT_TRANSLATE_NOOP("texts", "certificate not trusted");
inline constexpr const char* kKeNameMismatch = QT_TRANSLATE_NOOP("texts", "name mismatch");
inline constexpr const char* kKeNoNts = QT_TRANSLATE_NOOP("texts", "no NTS on the server");
inline constexpr const char* kKeBadResponse = QT_TRANSLATE_NOOP("texts", "bad response");
inline constexpr const char* kKeCaFileUnreadable = QT_TRANSLATE_NOOP("texts", "CA file unreadable");
// Followed by the system's reason, for example "Operation not permitted".
inline constexpr const char* kClockNotCorrected =
    QT_TRANSLATE_NOOP("texts", "Reset: System Clock NOT Corrected: ");

// Results. "%c" stands for the Timebase time as MM/DD/YY HH:MM:SS in local time.
inline constexpr const char* kTimebaseClockPrefix = QT_TRANSLATE_NOOP("texts", "Timebase Clock: ");
inline constexpr const char* kClockSuffix = ". ";
inline constexpr const char* kCorrectedByPrefix =
    QT_TRANSLATE_NOOP("texts", "System Clock Corrected by: ");
inline constexpr const char* kCorrectedToPrefix =
    QT_TRANSLATE_NOOP("texts", "System Clock Corrected to: ");
// "%.3f seconds" and "Delta: %.3f seconds": the number has three decimals.
inline constexpr const char* kSecondsSuffix = QT_TRANSLATE_NOOP("texts", " seconds");
inline constexpr const char* kDeltaPrefix = QT_TRANSLATE_NOOP("texts", "Delta: ");
inline constexpr const char* kCalendarFormat = "%m/%d/%y %H:%M:%S";
// "Delta: %D days %H:%M:%S" of a signed whole-second difference: kDeltaPrefix, then the
// days, kDaysInfix (the %s) and the time.
inline constexpr const char* kDaysInfix = QT_TRANSLATE_NOOP("texts", " days ");
inline constexpr const char* kDeltaSpanFormat =
    "%" PRId64 "%s%02" PRId64 ":%02" PRId64 ":%02" PRId64;

// The maximum delta warning (direction::MaxDeltaWarningText) is captioned with the
// program's name.
inline constexpr const char* kMaxDeltaWarningCaption = "Horolux";

} // namespace texts
