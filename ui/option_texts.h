#pragma once

#include <QtGlobal>

// What pane 0 says after an option command, shown translated ("options").
inline constexpr const char* kTimeTcpSelectedText =
    QT_TRANSLATE_NOOP("options", "Time Protocol with Streams selected");
inline constexpr const char* kTimeUdpSelectedText =
    QT_TRANSLATE_NOOP("options", "Time Protocol with Datagrams selected");
inline constexpr const char* kSntpSelectedText =
    QT_TRANSLATE_NOOP("options", "Simple Network Time Protocol selected");
inline constexpr const char* kNtsSelectedText =
    QT_TRANSLATE_NOOP("options", "Network Time Security selected");
// %1: 1, 4 or 8.
inline constexpr const char* kCheckOffText = QT_TRANSLATE_NOOP("options", "Background checks: off");
inline constexpr const char* kCheckEveryText =
    QT_TRANSLATE_NOOP("options", "Background checks: every %1 minutes");
inline constexpr const char* kSamplesSelectedText =
    QT_TRANSLATE_NOOP("options", "Samples per query: %1");
inline constexpr const char* kTimebaseSelectedSuffix = QT_TRANSLATE_NOOP("options", " selected");
inline constexpr const char* kAlternateSelectedText =
    QT_TRANSLATE_NOOP("options", "Alternate TimeBase Selected");

// When no browser or file opener can be started; %1 is the address or the file's path.
inline constexpr const char* kNoOpenerText = QT_TRANSLATE_NOOP(
    "options", "No web browser or file opener could be started. Open this yourself:\n%1");
