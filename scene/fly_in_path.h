#pragma once

// The eye's path after start-up: one row per timer tick, from far out to home.
inline constexpr int kFlyInSteps = 62;
extern const float g_FlyInPath[kFlyInSteps][3];

// Index of the next row; kFlyInSteps once the fly-in is over.
extern int g_nFlyInStep;
