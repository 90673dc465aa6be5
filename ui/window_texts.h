#pragma once

// Texts of the main window itself.
inline constexpr const char* kProductName = "Horolux";
inline constexpr const char* kMakerContact = "horolux@veldmark.example";
inline constexpr const char* kQueryButtonCaption = "Query Current Timebase";
inline constexpr const char* kCorrectButtonCaption = "Correct System Clock";
inline constexpr const char* kIndicatorProgressText = "XXXXXXX";
inline constexpr const char* kIndicatorTcpText = "TCP";
inline constexpr const char* kIndicatorUdpText = "UDP";
inline constexpr const char* kIndicatorSntpText = "SNTP";
inline constexpr const char* kIndicatorNtsText = "NTS";
// Pane 0's tooltip after the system refused to set the clock.
inline constexpr const char* kClockRightHint = "Setting the clock needs CAP_SYS_TIME; see Help";
