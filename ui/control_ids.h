#pragma once

#include "timesync/progress_pacing.h"

// Identifiers of the window's controls, kept as the "controlId" property of each
// widget so that tests and later code can find them by number.
inline constexpr int IDC_QUERY = 1029;
inline constexpr int IDC_CORRECT = 1030;
inline constexpr int IDT_TICK = 1031;
inline constexpr int IDC_PROGRESS = 1032;
inline constexpr int AFX_IDW_STATUS_BAR = 59393;
inline constexpr int ID_INDICATOR_PROGRESS = 59394;
inline constexpr int ID_INDICATOR_TCP = 59395;
inline constexpr int ID_INDICATOR_UDP = 59396;
inline constexpr int ID_INDICATOR_SNTP = 59397;
inline constexpr int ID_INDICATOR_NTS = 59398;

inline constexpr const char* kControlIdProperty = "controlId";

inline constexpr int kTickPeriodMs = 200;
inline constexpr int kButtonHeight = 20;
inline constexpr int kInitialWidth = 500;
inline constexpr int kInitialHeight = 300;
// The least the window keeps usable: the view between the buttons, and pane 0's text.
inline constexpr int kMinimumViewHeight = 60;
inline constexpr int kMinimumPaneZeroWidth = 150;
inline constexpr int kProgressMinimum = pacing::kProgressMinimum;
inline constexpr int kProgressMaximum = pacing::kProgressMaximum;
