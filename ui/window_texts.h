#pragma once

// Texts of the main window itself; the marked ones are shown translated ("window").
#include <QtGlobal>

inline constexpr const char* kProductName = "Horolux";
inline constexpr const char* kMakerContact = "horolux@veldmark.example";
inline constexpr const char* kQueryButtonCaption =
    QT_TRANSLATE_NOOP("window", "Query Current Timebase");
inline constexpr const char* kCorrectButtonCaption =
    QT_TRANSLATE_NOOP("window", "Correct System Clock");
inline constexpr const char* kIndicatorProgressText = "XXXXXXX";
inline constexpr const char* kIndicatorTcpText = "TCP";
inline constexpr const char* kIndicatorUdpText = "UDP";
inline constexpr const char* kIndicatorSntpText = "SNTP";
inline constexpr const char* kIndicatorNtsText = "NTS";
// Pane 0's tooltip after the system refused to set the clock.
inline constexpr const char* kClockRightHint =
    QT_TRANSLATE_NOOP("window", "Setting the clock needs CAP_SYS_TIME; see Help");
