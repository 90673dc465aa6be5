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
