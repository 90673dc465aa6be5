#pragma once

// Exit statuses of horolux-cli and of horolux run without a display.
inline constexpr int kExitAnswered = 0;
inline constexpr int kExitNoAnswer = 1;
inline constexpr int kExitBogusReply = 2;
inline constexpr int kExitClockNotSet = 3;
inline constexpr int kExitAuthenticationFailed = 4;
inline constexpr int kExitMetricsNotWritten = 5;
inline constexpr int kExitUsage = 64;
