#pragma once

#include <vector>

// Flattening of glyph outlines into closed polylines. Pure arithmetic: no font, no display.
namespace glyph {

struct Vec2 {
    double x = 0.0;
    double y = 0.0;
};

// A closed polyline: the last point joins the first, which is not repeated.
using Contour = std::vector<Vec2>;

// Chords needed so that no point of the curve lies farther than `deviation` from them.
// Never fewer for a smaller deviation; at least 1, at most kMaxCurveSegments.
int QuadraticSegments(Vec2 p0, Vec2 p1, Vec2 p2, double deviation);
int CubicSegments(Vec2 p0, Vec2 p1, Vec2 p2, Vec2 p3, double deviation);
inline constexpr int kMaxCurveSegments = 256;

// Append the points of the flattened curve after p0, ending with the end point.
void AppendQuadratic(Contour& contour, Vec2 p0, Vec2 p1, Vec2 p2, double deviation);
void AppendCubic(Contour& contour, Vec2 p0, Vec2 p1, Vec2 p2, Vec2 p3, double deviation);

// Twice the signed area (positive when counter-clockwise with y up).
double SignedArea2(const Contour& contour);

// Drops repeated neighbours and the closing repeat of the first point.
void TidyContour(Contour& contour);

} // namespace glyph
