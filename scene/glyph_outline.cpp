#include "scene/glyph_outline.h"

#include <algorithm>
#include <cmath>

namespace glyph {
namespace {

double Length(double x, double y) {
    return std::hypot(x, y);
}

// A curve whose second derivative is bounded by `bound` strays at most
// bound * step^2 / 8 from the chord over a parameter step; solve for the step count.
int SegmentsFor(double secondDerivativeBound, double deviation) {
    if (!(secondDerivativeBound > 0.0)) {
        return 1;
    }
    // Not-a-number and non-positive deviations ask for the finest flattening.
    const double safeDeviation = deviation > 1e-9 ? deviation : 1e-9;
    const double n = std::ceil(std::sqrt(secondDerivativeBound / (8.0 * safeDeviation)));
    return static_cast<int>(std::clamp(n, 1.0, static_cast<double>(kMaxCurveSegments)));
}

} // namespace

int QuadraticSegments(Vec2 p0, Vec2 p1, Vec2 p2, double deviation) {
    // B'' = 2 (p0 - 2 p1 + p2), constant.
    const double bound = 2.0 * Length(p0.x - 2.0 * p1.x + p2.x, p0.y - 2.0 * p1.y + p2.y);
    return SegmentsFor(bound, deviation);
}

int CubicSegments(Vec2 p0, Vec2 p1, Vec2 p2, Vec2 p3, double deviation) {
    // B'' = 6 ((1 - t) a + t b), so |B''| <= 6 max(|a|, |b|).
    const double a = Length(p0.x - 2.0 * p1.x + p2.x, p0.y - 2.0 * p1.y + p2.y);
    const double b = Length(p1.x - 2.0 * p2.x + p3.x, p1.y - 2.0 * p2.y + p3.y);
    return SegmentsFor(6.0 * std::max(a, b), deviation);
}

void AppendQuadratic(Contour& contour, Vec2 p0, Vec2 p1, Vec2 p2, double deviation) {
    const int n = QuadraticSegments(p0, p1, p2, deviation);
    for (int i = 1; i < n; ++i) {
        const double t = static_cast<double>(i) / n;
        const double u = 1.0 - t;
        contour.push_back({u * u * p0.x + 2.0 * u * t * p1.x + t * t * p2.x,
                           u * u * p0.y + 2.0 * u * t * p1.y + t * t * p2.y});
    }
    contour.push_back(p2);
}

void AppendCubic(Contour& contour, Vec2 p0, Vec2 p1, Vec2 p2, Vec2 p3, double deviation) {
    const int n = CubicSegments(p0, p1, p2, p3, deviation);
    for (int i = 1; i < n; ++i) {
        const double t = static_cast<double>(i) / n;
        const double u = 1.0 - t;
        const double w0 = u * u * u;
        const double w1 = 3.0 * u * u * t;
        const double w2 = 3.0 * u * t * t;
        const double w3 = t * t * t;
        contour.push_back({w0 * p0.x + w1 * p1.x + w2 * p2.x + w3 * p3.x,
                           w0 * p0.y + w1 * p1.y + w2 * p2.y + w3 * p3.y});
    }
    contour.push_back(p3);
}

double SignedArea2(const Contour& contour) {
    double sum = 0.0;
    const size_t n = contour.size();
    for (size_t i = 0; i < n; ++i) {
        const Vec2& a = contour[i];
        const Vec2& b = contour[(i + 1) % n];
        sum += a.x * b.y - b.x * a.y;
    }
    return sum;
}

void TidyContour(Contour& contour) {
    auto same = [](const Vec2& a, const Vec2& b) { return a.x == b.x && a.y == b.y; };
    contour.erase(std::unique(contour.begin(), contour.end(), same), contour.end());
    while (contour.size() > 1 && same(contour.front(), contour.back())) {
        contour.pop_back();
    }
}

} // namespace glyph
