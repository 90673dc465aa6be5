#pragma once

#include "mesh.h"
#include "targets.h"

#include <array>
#include <string>
#include <vector>

// The tables as they will be compiled in, in fixed point (see targets.h).
using FixedPoint = std::array<Fixed, 3>;
struct FixedTriangle {
    FixedPoint normal;
    std::array<FixedPoint, 3> corner;
};
using FixedPart = std::vector<FixedTriangle>;
using FixedModel = std::array<FixedPart, kPartCount>;

// Rounds a part already in model axes to four decimals and gives every triangle its
// facet normal, also rounded.
FixedPart Quantise(const Mesh& modelMesh);
// The normal the tables require for these corners: -unit((c1 - c0) x (c2 - c0)), rounded.
FixedPoint FacetNormal(const std::array<FixedPoint, 3>& corner);
// Moves every corner at the extreme of an axis onto the required bound. Used after a part
// was shaped to its bounds, to take up the last rounding steps.
void SnapBounds(FixedPart& part, const PartTarget& target);
// The copy of `original` moved by the copy offset, its extremes put on the copy's bounds.
FixedPart MovedCopy(const FixedPart& original, const PartTarget& copyTarget);

int DistinctPositions(const FixedPart& part);
