#pragma once

#include "timesync/progress_pacing.h"

// The window's layout and pace.
inline constexpr int kTickPeriodMs = 200;
inline constexpr int kButtonHeight = 20;
inline constexpr int kInitialWidth = 500;
inline constexpr int kInitialHeight = 300;
// The least the window keeps usable: the view between the buttons, and pane 0's text.
inline constexpr int kMinimumViewHeight = 60;
inline constexpr int kMinimumPaneZeroWidth = 150;
inline constexpr int kProgressMinimum = pacing::kProgressMinimum;
inline constexpr int kProgressMaximum = pacing::kProgressMaximum;
