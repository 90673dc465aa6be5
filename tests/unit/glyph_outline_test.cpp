// Curve flattening: every point of the true curve stays within the deviation.
#include "scene/glyph_outline.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

using glyph::Contour;
using glyph::Vec2;

static double DistanceToPolyline(Vec2 p, const Contour& line) {
    double best = 1e300;
    for (size_t i = 0; i + 1 < line.size(); ++i) {
        const Vec2 a = line[i], d{line[i + 1].x - a.x, line[i + 1].y - a.y};
        const double length2 = d.x * d.x + d.y * d.y;
        const double t =
            length2 > 0 ? std::clamp(((p.x - a.x) * d.x + (p.y - a.y) * d.y) / length2, 0.0, 1.0)
                        : 0.0;
        best = std::min(best, std::hypot(p.x - a.x - t * d.x, p.y - a.y - t * d.y));
    }
    return best;
}

// A Bezier curve of its control points at t, by de Casteljau.
static Vec2 At(std::vector<Vec2> points, double t) {
    for (size_t n = points.size() - 1; n > 0; --n) {
        for (size_t i = 0; i < n; ++i) {
            points[i] = {points[i].x + t * (points[i + 1].x - points[i].x),
                         points[i].y + t * (points[i + 1].y - points[i].y)};
        }
    }
    return points[0];
}

TEST(CurveFlattening, NoPointOfTheCurveStraysBeyondTheDeviation) {
    const std::vector<Vec2> curves[] = {
        {{0, 0}, {50, 100}, {100, 0}},
        {{0.1, 0.2}, {0.5, 0.21}, {0.9, 0.2}}, // almost straight
        {{0, 0}, {10, 0}, {20, 0}},            // straight
        {{0, 0}, {0, 100}, {100, 100}, {100, 0}},
        {{0, 0}, {100, 100}, {0, 100}, {100, 0}}, // self-crossing
        {{0.2, 0.3}, {0.25, 0.9}, {0.7, -0.4}, {0.8, 0.35}},
    };
    for (const auto& c : curves) {
        size_t previous = 0;
        for (double deviation : {10.0, 1.0, 0.1, 0.01, 0.001}) {
            SCOPED_TRACE(testing::Message() << c[1].x << " " << deviation);
            Contour line{c[0]};
            if (c.size() == 4) {
                glyph::AppendCubic(line, c[0], c[1], c[2], c[3], deviation);
            } else {
                glyph::AppendQuadratic(line, c[0], c[1], c[2], deviation);
            }
            EXPECT_EQ(line.back().x, c.back().x); // the curve's own end
            EXPECT_EQ(line.back().y, c.back().y);
            EXPECT_GE(line.size(), previous); // never fewer chords for a smaller deviation
            previous = line.size();
            if (line.size() > glyph::kMaxCurveSegments) {
                continue; // capped: the deviation is not promised
            }
            double worst = 0.0;
            for (int i = 0; i <= 4000; ++i) {
                worst = std::max(worst, DistanceToPolyline(At(c, i / 4000.0), line));
            }
            EXPECT_LE(worst, deviation * (1 + 1e-9));
        }
    }
    // No deviation, or none that makes sense, asks for the most chords, never more.
    EXPECT_EQ(glyph::QuadraticSegments({0, 0}, {5, 9}, {10, 0}, 0.0), glyph::kMaxCurveSegments);
    EXPECT_EQ(glyph::CubicSegments({0, 0}, {0, 9}, {9, 9}, {9, 0}, -1.0), glyph::kMaxCurveSegments);
    EXPECT_EQ(glyph::QuadraticSegments({0, 0}, {5, 9}, {10, 0}, std::nan("")),
              glyph::kMaxCurveSegments);
}

TEST(Contours, TidyDropsRepeatsAndTheClosingPoint) {
    Contour c{{0, 0}, {1, 0}, {1, 0}, {1, 1}, {0, 0}};
    glyph::TidyContour(c);
    EXPECT_EQ(c.size(), 3u);
    EXPECT_EQ(glyph::SignedArea2(c), 1.0); // (0, 0), (1, 0), (1, 1): counter-clockwise
}
