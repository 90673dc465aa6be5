// The backdrop model's compiled-in tables against everything they must measure up to.
#include "scene/model_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <set>

namespace {

// Coordinates as ten-thousandths, so four-decimal values compare exactly.
long long Tenths4(float v) {
    return std::llround(static_cast<double>(v) * 10000.0);
}

struct Expected {
    int triangles;
    int positions;
    std::array<long long, 3> lo;
    std::array<long long, 3> hi;
};

constexpr std::array<Expected, 10> kExpected{{
    {263, 139, {450498, -1575555, -1804584}, {1139501, -1125894, -1322863}},
    {64, 66, {1062909, -2648094, -1920737}, {3934941, -1290887, -1203895}},
    {263, 139, {1082289, 160322, 1395017}, {1771293, 609984, 1876738}},
    {64, 66, {1694700, -912216, 1278863}, {4566732, 444991, 1995705}},
    {48, 50, {68765, -738623, -219793}, {275295, -171175, 645450}},
    {522, 330, {733871, -2694042, -1992717}, {3981472, -1206783, -1134719}},
    {522, 330, {1365662, -958164, 1206883}, {4613264, 529095, 2064881}},
    {80, 45, {-477018, -1830437, -985614}, {3745242, 463168, 701611}},
    {744, 383, {-4268090, -1033158, -3262546}, {1007271, 2816562, 2940876}},
    {731, 398, {-67328, -2625670, -1539590}, {4147549, -60362, 1763107}},
}};

constexpr std::array<long long, 3> kCopyOffset{631791, 1735878, 3199600};

// Every float of a triangle, normal first.
std::array<float, 12> Values(const ModelTriangle& t) {
    return {t.normal[0],    t.normal[1],    t.normal[2],    t.vertex[0][0],
            t.vertex[0][1], t.vertex[0][2], t.vertex[1][0], t.vertex[1][1],
            t.vertex[1][2], t.vertex[2][0], t.vertex[2][1], t.vertex[2][2]};
}

class EveryPart : public testing::TestWithParam<int> {};

TEST_P(EveryPart, HasItsTrianglesPositionsAndBounds) {
    const int part = GetParam();
    const Expected& want = kExpected[part];
    const auto table = ModelPartTriangles(part);
    EXPECT_EQ(static_cast<int>(table.size()), want.triangles);
    std::set<std::array<long long, 3>> positions;
    std::array<long long, 3> lo{};
    std::array<long long, 3> hi{};
    lo.fill(std::numeric_limits<long long>::max());
    hi.fill(std::numeric_limits<long long>::min());
    for (const ModelTriangle& t : table) {
        for (const auto& v : t.vertex) {
            const std::array<long long, 3> p{Tenths4(v[0]), Tenths4(v[1]), Tenths4(v[2])};
            positions.insert(p);
            for (int axis = 0; axis < 3; ++axis) {
                lo[axis] = std::min(lo[axis], p[axis]);
                hi[axis] = std::max(hi[axis], p[axis]);
            }
        }
    }
    EXPECT_EQ(static_cast<int>(positions.size()), want.positions);
    EXPECT_EQ(lo, want.lo);
    EXPECT_EQ(hi, want.hi);
}

TEST_P(EveryPart, HoldsNoValueWithMoreThanFourDecimals) {
    for (const ModelTriangle& t : ModelPartTriangles(GetParam())) {
        for (float v : Values(t)) {
            ASSERT_EQ(static_cast<float>(Tenths4(v) / 10000.0), v);
        }
    }
}

TEST_P(EveryPart, HasUnitFacetNormalsOnTheClockwiseSide) {
    const auto table = ModelPartTriangles(GetParam());
    for (size_t i = 0; i < table.size(); ++i) {
        SCOPED_TRACE(i);
        const ModelTriangle& t = table[i];
        const double n[3] = {t.normal[0], t.normal[1], t.normal[2]};
        EXPECT_NEAR(std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]), 1.0, 1e-4);
        double a[3];
        double b[3];
        double c[3];
        for (int k = 0; k < 3; ++k) {
            a[k] = double(t.vertex[1][k]) - t.vertex[0][k];
            b[k] = double(t.vertex[2][k]) - t.vertex[0][k];
            c[k] = double(t.vertex[2][k]) - t.vertex[1][k];
        }
        const double x[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
                             a[0] * b[1] - a[1] * b[0]};
        const double twiceArea = std::sqrt(x[0] * x[0] + x[1] * x[1] + x[2] * x[2]);
        const double longest = std::sqrt(std::max({a[0] * a[0] + a[1] * a[1] + a[2] * a[2],
                                                   b[0] * b[0] + b[1] * b[1] + b[2] * b[2],
                                                   c[0] * c[0] + c[1] * c[1] + c[2] * c[2]}));
        // Not degenerate: the triangle's height over its longest side is a real length.
        ASSERT_GT(twiceArea / longest, 0.01);
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(n[k], -x[k] / twiceArea, 5e-4);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(ModelTables, EveryPart, testing::Range(0, kModelPartCount));

TEST(ModelTables, HoldTheWholeModel) {
    size_t triangles = 0;
    std::array<long long, 3> lo{};
    std::array<long long, 3> hi{};
    for (int part = 0; part < kModelPartCount; ++part) {
        for (const ModelTriangle& t : ModelPartTriangles(part)) {
            ++triangles;
            for (const auto& v : t.vertex) {
                for (int axis = 0; axis < 3; ++axis) {
                    lo[axis] = std::min(lo[axis], Tenths4(v[axis]));
                    hi[axis] = std::max(hi[axis], Tenths4(v[axis]));
                }
            }
        }
    }
    EXPECT_EQ(triangles, 3301u);
    EXPECT_EQ(3 * triangles, 9903u);
    EXPECT_EQ(lo, (std::array<long long, 3>{-4268090, -2694042, -3262546}));
    EXPECT_EQ(hi, (std::array<long long, 3>{4613264, 2816562, 2940876}));
    EXPECT_TRUE(ModelPartTriangles(-1).empty());
    EXPECT_TRUE(ModelPartTriangles(kModelPartCount).empty());
}

TEST(ModelTables, SecondEngineIsTheFirstMovedTriangleByTriangle) {
    const std::array<std::array<int, 2>, 3> pairs{{{0, 2}, {1, 3}, {5, 6}}};
    for (const auto& [original, copy] : pairs) {
        SCOPED_TRACE(copy);
        const auto a = ModelPartTriangles(original);
        const auto b = ModelPartTriangles(copy);
        ASSERT_EQ(a.size(), b.size());
        for (size_t i = 0; i < a.size(); ++i) {
            for (int k = 0; k < 3; ++k) {
                ASSERT_EQ(a[i].normal[k], b[i].normal[k]) << "triangle " << i;
                for (int axis = 0; axis < 3; ++axis) {
                    const long long moved = Tenths4(a[i].vertex[k][axis]) + kCopyOffset[axis];
                    ASSERT_LE(std::llabs(Tenths4(b[i].vertex[k][axis]) - moved), 2)
                        << "triangle " << i;
                }
            }
        }
    }
}

TEST(ModelTables, FirstTriangleOfTheRedCapIsTheAgreedOne) {
    const ModelTriangle& t = ModelPartTriangles(0).front();
    EXPECT_EQ(t.normal[0], -0.2974f);
    EXPECT_EQ(t.normal[1], -0.786f);
    EXPECT_EQ(t.normal[2], 0.542f);
    const float corners[3][3] = {{71.9198f, -135.9064f, -145.6084f},
                                 {74.076f, -136.4362f, -145.1935f},
                                 {73.8412f, -140.4225f, -151.1023f}};
    for (int k = 0; k < 3; ++k) {
        for (int axis = 0; axis < 3; ++axis) {
            EXPECT_EQ(t.vertex[k][axis], corners[k][axis]);
        }
    }
}

} // namespace
