#pragma once

// What pane 0 says after an option command.
inline constexpr const char* kTimeTcpSelectedText = "Time Protocol with Streams selected";
inline constexpr const char* kTimeUdpSelectedText = "Time Protocol with Datagrams selected";
inline constexpr const char* kSntpSelectedText = "Simple Network Time Protocol selected";
inline constexpr const char* kNtsSelectedText = "Network Time Security selected";
// %1: 1, 4 or 8.
inline constexpr const char* kCheckOffText = "Background checks: off";
inline constexpr const char* kCheckEveryText = "Background checks: every %1 minutes";
inline constexpr const char* kSamplesSelectedText = "Samples per query: %1";
inline constexpr const char* kTimebaseSelectedSuffix = " selected";
inline constexpr const char* kAlternateSelectedText = "Alternate TimeBase Selected";

// When no browser or file opener can be started; %1 is the address or the file's path.
inline constexpr const char* kNoOpenerText =
    "No web browser or file opener could be started. Open this yourself:\n%1";
