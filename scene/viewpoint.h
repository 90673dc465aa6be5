#pragma once

// The camera always looks at one point from an eye that the fly-in and the keys move.

inline constexpr double kLookAtX = 0.0;
inline constexpr double kLookAtY = -2.5;
inline constexpr double kLookAtZ = 0.0;
inline constexpr double kUpX = 0.0;
inline constexpr double kUpY = 1.0;
inline constexpr double kUpZ = 0.0;

// Where HOME puts the eye, and where the fly-in ends.
inline constexpr float kHomeEyeX = -12.0f;
inline constexpr float kHomeEyeY = -2.5f;
inline constexpr float kHomeEyeZ = 0.0f;

// Each viewpoint key moves the eye this far along one axis; a wheel notch moves it this far
// along its line of sight.
inline constexpr float kViewpointKeyStep = 1.0f;
// The mouse takes the eye no farther than the fly-in starts (the first row of its path).
inline constexpr float kFarthestEyeDistance = 500.0f;

// An eye on the vertical line through the looked-at point (the point itself included)
// gives no viewing direction; such an eye is refused.
constexpr bool IsUsableEye(float x, float /*y*/, float z) {
    return !(static_cast<double>(x) == kLookAtX && static_cast<double>(z) == kLookAtZ);
}
