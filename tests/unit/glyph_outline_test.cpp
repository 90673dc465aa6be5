// Curve flattening: every point of the true curve stays within the deviation.
#include "scene/glyph_outline.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using glyph::Contour;
using glyph::Vec2;

double DistanceToSegment(Vec2 p, Vec2 a, Vec2 b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

double DistanceToPolyline(Vec2 p, const Contour& line) {
    double best = 1e300;
    for (size_t i = 0; i + 1 < line.size(); ++i) {
        best = std::min(best, DistanceToSegment(p, line[i], line[i + 1]));
    }
    return best;
}

Vec2 Quadratic(const Vec2 (&c)[4], double t) {
    const double u = 1 - t;
    return {u * u * c[0].x + 2 * u * t * c[1].x + t * t * c[2].x,
            u * u * c[0].y + 2 * u * t * c[1].y + t * t * c[2].y};
}

Vec2 Cubic(const Vec2 (&c)[4], double t) {
    const double u = 1 - t;
    return {
        u * u * u * c[0].x + 3 * u * u * t * c[1].x + 3 * u * t * t * c[2].x + t * t * t * c[3].x,
        u * u * u * c[0].y + 3 * u * u * t * c[1].y + 3 * u * t * t * c[2].y + t * t * t * c[3].y};
}

struct Curve {
    bool cubic;
    Vec2 points[4];
};

const Curve kCurves[] = {
    {false, {{0, 0}, {50, 100}, {100, 0}}},
    {false, {{0, 0}, {0, 1}, {1, 1}}},
    {false, {{0.1, 0.2}, {0.5, 0.21}, {0.9, 0.2}}}, // almost straight
    {false, {{0, 0}, {10, 0}, {20, 0}}},            // straight
    {true, {{0, 0}, {0, 100}, {100, 100}, {100, 0}}},
    {true, {{0, 0}, {100, 100}, {0, 100}, {100, 0}}}, // self-crossing
    {true, {{0.2, 0.3}, {0.25, 0.9}, {0.7, -0.4}, {0.8, 0.35}}},
};

TEST(CurveFlattening, NoPointOfTheCurveStraysBeyondTheDeviation) {
    for (const Curve& curve : kCurves) {
        for (double deviation : {10.0, 1.0, 0.1, 0.01, 0.001}) {
            SCOPED_TRACE(testing::Message() << curve.points[1].x << " " << deviation);
            Contour line{curve.points[0]};
            if (curve.cubic) {
                glyph::AppendCubic(line, curve.points[0], curve.points[1], curve.points[2],
                                   curve.points[3], deviation);
            } else {
                glyph::AppendQuadratic(line, curve.points[0], curve.points[1], curve.points[2],
                                       deviation);
            }
            const int segments = static_cast<int>(line.size()) - 1;
            if (segments >= glyph::kMaxCurveSegments) {
                continue; // capped: the deviation is not promised
            }
            double worst = 0.0;
            for (int i = 0; i <= 4000; ++i) {
                const double t = i / 4000.0;
                const Vec2 p = curve.cubic ? Cubic(curve.points, t) : Quadratic(curve.points, t);
                worst = std::max(worst, DistanceToPolyline(p, line));
            }
            EXPECT_LE(worst, deviation * (1 + 1e-9));
            // The ends are the curve's own ends.
            const Vec2 end = curve.cubic ? curve.points[3] : curve.points[2];
            EXPECT_EQ(line.back().x, end.x);
            EXPECT_EQ(line.back().y, end.y);
        }
    }
}

TEST(CurveFlattening, SmallerDeviationNeverFewerSegments) {
    for (const Curve& curve : kCurves) {
        int previous = 0;
        for (double deviation = 100.0; deviation > 1e-6; deviation /= 1.7) {
            const int n = curve.cubic
                              ? glyph::CubicSegments(curve.points[0], curve.points[1],
                                                     curve.points[2], curve.points[3], deviation)
                              : glyph::QuadraticSegments(curve.points[0], curve.points[1],
                                                         curve.points[2], deviation);
            EXPECT_GE(n, previous);
            EXPECT_GE(n, 1);
            EXPECT_LE(n, glyph::kMaxCurveSegments);
            previous = n;
        }
    }
    // A straight "curve" needs one chord whatever the deviation.
    EXPECT_EQ(glyph::QuadraticSegments({0, 0}, {1, 1}, {2, 2}, 1e-9), 1);
}

TEST(CurveFlattening, ZeroOrNegativeDeviationStaysBounded) {
    EXPECT_EQ(glyph::QuadraticSegments({0, 0}, {5, 9}, {10, 0}, 0.0), glyph::kMaxCurveSegments);
    EXPECT_EQ(glyph::CubicSegments({0, 0}, {0, 9}, {9, 9}, {9, 0}, -1.0), glyph::kMaxCurveSegments);
    EXPECT_EQ(glyph::QuadraticSegments({0, 0}, {5, 9}, {10, 0}, std::nan("")),
              glyph::kMaxCurveSegments);
}

TEST(Contours, TidyDropsRepeatsAndTheClosingPoint) {
    Contour c{{0, 0}, {1, 0}, {1, 0}, {1, 1}, {0, 0}};
    glyph::TidyContour(c);
    ASSERT_EQ(c.size(), 3u);
    EXPECT_EQ(c[2].x, 1);
    EXPECT_EQ(c[2].y, 1);
    EXPECT_GT(glyph::SignedArea2(c), 0); // counter-clockwise
}

} // namespace
