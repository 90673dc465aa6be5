#pragma once

#include <QtGlobal>

// The texts of a console run that the window never shows, translated where printed
// ("cli_texts").
namespace cli_texts {

inline constexpr const char* kProgramName = "horolux-cli";
// The reason a run ends with when its time-out ran out; %1 is the time-out in seconds.
inline constexpr const char* kNoAnswer =
    QT_TRANSLATE_NOOP("cli_texts", "Reset: No answer from Timebase within %1 seconds.");
// A usage error and the way to the help, on one line: %1 is the program, %2 the error.
inline constexpr const char* kUsageHint =
    QT_TRANSLATE_NOOP("cli_texts", "%1: %2 (try '%1 --help')");

// The result of several Timebases without an agreeing majority; nothing is corrected.
inline constexpr const char* kTimebasesDisagree =
    QT_TRANSLATE_NOOP("cli_texts", "Reset: Timebases disagree; clock not corrected.");
// On standard error for each server outside the majority that agrees; %1 is the server.
inline constexpr const char* kFalseticker =
    QT_TRANSLATE_NOOP("cli_texts", "Falseticker: %1 disagrees with the other Timebases.");

} // namespace cli_texts
