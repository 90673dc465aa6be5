#include "fixed_table.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <stdexcept>

namespace {

Fixed ToFixed(double v) {
    return std::llround(v * kFixedScale);
}

// Replaces every corner whose `axis` coordinate equals `from` by `to`.
void MoveCoordinate(FixedPart& part, int axis, Fixed from, Fixed to) {
    for (FixedTriangle& t : part) {
        for (FixedPoint& c : t.corner) {
            if (c[axis] == from) {
                c[axis] = to;
            }
        }
    }
}

} // namespace

FixedPoint FacetNormal(const std::array<FixedPoint, 3>& c) {
    double e1[3];
    double e2[3];
    for (int i = 0; i < 3; ++i) {
        e1[i] = static_cast<double>(c[1][i] - c[0][i]);
        e2[i] = static_cast<double>(c[2][i] - c[0][i]);
    }
    const double n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                         e1[0] * e2[1] - e1[1] * e2[0]};
    const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (length == 0.0) {
        throw std::runtime_error("degenerate triangle");
    }
    return {ToFixed(-n[0] / length), ToFixed(-n[1] / length), ToFixed(-n[2] / length)};
}

FixedPart Quantise(const Mesh& modelMesh) {
    FixedPart part;
    for (const Triangle& t : modelMesh.Triangles()) {
        FixedTriangle f{};
        for (int k = 0; k < 3; ++k) {
            f.corner[k] = {ToFixed(t.corner[k].x), ToFixed(t.corner[k].y), ToFixed(t.corner[k].z)};
        }
        f.normal = FacetNormal(f.corner);
        part.push_back(f);
    }
    return part;
}

void SnapBounds(FixedPart& part, const PartTarget& target) {
    for (int axis = 0; axis < 3; ++axis) {
        Fixed lo = part.front().corner[0][axis];
        Fixed hi = lo;
        for (const FixedTriangle& t : part) {
            for (const FixedPoint& c : t.corner) {
                lo = std::min(lo, c[axis]);
                hi = std::max(hi, c[axis]);
            }
        }
        MoveCoordinate(part, axis, lo, target.lo[axis]);
        MoveCoordinate(part, axis, hi, target.hi[axis]);
    }
    for (FixedTriangle& t : part) {
        t.normal = FacetNormal(t.corner);
    }
}

FixedPart MovedCopy(const FixedPart& original, const PartTarget& copyTarget) {
    FixedPart copy = original;
    for (FixedTriangle& t : copy) {
        for (FixedPoint& c : t.corner) {
            for (int axis = 0; axis < 3; ++axis) {
                c[axis] += kCopyOffset[axis];
            }
        }
    }
    // The copy keeps the original's normals; its bounds differ from the moved original's
    // by at most a rounding step, taken up at the extremes.
    std::vector<FixedPoint> normals;
    for (const FixedTriangle& t : copy) {
        normals.push_back(t.normal);
    }
    SnapBounds(copy, copyTarget);
    for (size_t i = 0; i < copy.size(); ++i) {
        copy[i].normal = normals[i];
    }
    return copy;
}

int DistinctPositions(const FixedPart& part) {
    std::set<FixedPoint> positions;
    for (const FixedTriangle& t : part) {
        positions.insert(t.corner.begin(), t.corner.end());
    }
    return static_cast<int>(positions.size());
}
