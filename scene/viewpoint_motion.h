#pragma once

#include <array>

// The mouse's moves of the eye: a drag turns it around the looked-at point, the wheel moves
// it nearer or farther along its line of sight. Both keep the keys' bounds: the eye stays
// at least one key step off the vertical through the point (the keys' grid never comes
// closer without landing on it) and no farther out than the fly-in starts.
using EyePoint = std::array<float, 3>;

// Degrees the eye turns per pixel dragged.
inline constexpr double kDragDegreesPerPixel = 0.5;
// Qt's angle delta of one wheel notch.
inline constexpr double kWheelNotch = 120.0;

// A drag by (dx, dy) pixels: to the right turns the eye leftwards around the vertical
// through the point (the scene turns with the mouse), downwards raises it.
EyePoint DraggedEye(const EyePoint& eye, double dxPixels, double dyPixels);

// Wheel notches (positive: rolled away from the user) move the eye one key step nearer each;
// negative ones move it farther.
EyePoint WheeledEye(const EyePoint& eye, double notches);
