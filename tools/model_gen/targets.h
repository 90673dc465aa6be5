#pragma once

#include <array>

// What the backdrop model must measure up to, in fixed point: model units times 10,000,
// so every coordinate has at most four decimals and comparisons are exact.
using Fixed = long long;
inline constexpr double kFixedScale = 10000.0;

struct PartTarget {
    int triangles;
    int positions; // distinct corner positions
    std::array<Fixed, 3> lo;
    std::array<Fixed, 3> hi;
};

inline constexpr int kPartCount = 10;

inline constexpr std::array<PartTarget, kPartCount> kPartTargets{{
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

// Parts 2, 3 and 6 are parts 0, 1 and 5 moved by this offset, triangle by triangle.
inline constexpr std::array<Fixed, 3> kCopyOffset{631791, 1735878, 3199600};
struct CopyPair {
    int original;
    int copy;
};
inline constexpr std::array<CopyPair, 3> kCopies{{{0, 2}, {1, 3}, {5, 6}}};
// A copy may differ from the moved original by this much per coordinate.
inline constexpr Fixed kCopyTolerance = 2;

// The first triangle of part 0, exactly.
inline constexpr std::array<Fixed, 3> kFirstNormal{-2974, -7860, 5420};
inline constexpr std::array<std::array<Fixed, 3>, 3> kFirstCorners{{
    {719198, -1359064, -1456084},
    {740760, -1364362, -1451935},
    {738412, -1404225, -1511023},
}};
