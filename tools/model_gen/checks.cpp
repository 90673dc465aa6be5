#include "checks.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

constexpr double kUnitTolerance = 1e-4;
// The normal agrees with the corners as far as rounding to four places allows.
constexpr double kOrientationTolerance = 2e-4;
// Smallest height of a triangle over its longest edge, in model units.
constexpr double kThinnest = 0.05;

struct Checker {
    std::vector<std::string> failures;
    void Fail(int part, const std::string& what) {
        std::ostringstream line;
        line << "part " << part << ": " << what;
        failures.push_back(line.str());
    }
};

void CheckPart(Checker& c, int p, const FixedPart& part, const PartTarget& target) {
    if (static_cast<int>(part.size()) != target.triangles) {
        c.Fail(p, "has " + std::to_string(part.size()) + " triangles, needs " +
                      std::to_string(target.triangles));
    }
    const int positions = DistinctPositions(part);
    if (positions != target.positions) {
        c.Fail(p, "has " + std::to_string(positions) + " distinct positions, needs " +
                      std::to_string(target.positions));
    }
    for (int axis = 0; axis < 3; ++axis) {
        Fixed lo = part.front().corner[0][axis];
        Fixed hi = lo;
        for (const FixedTriangle& t : part) {
            for (const FixedPoint& q : t.corner) {
                lo = std::min(lo, q[axis]);
                hi = std::max(hi, q[axis]);
            }
        }
        if (lo != target.lo[axis] || hi != target.hi[axis]) {
            c.Fail(p, "bounds on axis " + std::to_string(axis) + " are " + std::to_string(lo) +
                          ".." + std::to_string(hi));
        }
    }
    for (size_t i = 0; i < part.size(); ++i) {
        const FixedTriangle& t = part[i];
        // As the program will see them: floats.
        float v[3][3];
        float n[3];
        for (int k = 0; k < 3; ++k) {
            n[k] = static_cast<float>(t.normal[k] / kFixedScale);
            for (int a = 0; a < 3; ++a) {
                v[k][a] = static_cast<float>(t.corner[k][a] / kFixedScale);
            }
        }
        const double length =
            std::sqrt(double(n[0]) * n[0] + double(n[1]) * n[1] + double(n[2]) * n[2]);
        if (std::abs(length - 1.0) > kUnitTolerance) {
            c.Fail(p, "triangle " + std::to_string(i) + " normal is not unit");
        }
        double e1[3];
        double e2[3];
        double e3[3];
        for (int a = 0; a < 3; ++a) {
            e1[a] = double(v[1][a]) - v[0][a];
            e2[a] = double(v[2][a]) - v[0][a];
            e3[a] = double(v[2][a]) - v[1][a];
        }
        const double x[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                             e1[0] * e2[1] - e1[1] * e2[0]};
        const double twiceArea = std::sqrt(x[0] * x[0] + x[1] * x[1] + x[2] * x[2]);
        const double longest = std::sqrt(std::max({e1[0] * e1[0] + e1[1] * e1[1] + e1[2] * e1[2],
                                                   e2[0] * e2[0] + e2[1] * e2[1] + e2[2] * e2[2],
                                                   e3[0] * e3[0] + e3[1] * e3[1] + e3[2] * e3[2]}));
        if (longest == 0.0 || twiceArea / longest < kThinnest) {
            c.Fail(p, "triangle " + std::to_string(i) + " is degenerate");
            continue;
        }
        for (int a = 0; a < 3; ++a) {
            if (std::abs(-x[a] / twiceArea - n[a]) > kOrientationTolerance) {
                c.Fail(p, "triangle " + std::to_string(i) + " normal disagrees with its corners");
                break;
            }
        }
    }
}

} // namespace

std::vector<std::string> CheckModel(const FixedModel& model) {
    Checker c;
    size_t triangles = 0;
    for (int p = 0; p < kPartCount; ++p) {
        if (model[p].empty()) {
            c.Fail(p, "is empty");
            continue;
        }
        CheckPart(c, p, model[p], kPartTargets[p]);
        triangles += model[p].size();
    }
    if (triangles != 3301) {
        c.Fail(-1, "the model has " + std::to_string(triangles) + " triangles, needs 3301");
    }
    for (const CopyPair& pair : kCopies) {
        const FixedPart& a = model[pair.original];
        const FixedPart& b = model[pair.copy];
        if (a.size() != b.size()) {
            c.Fail(pair.copy, "is not the same size as its original");
            continue;
        }
        for (size_t i = 0; i < a.size(); ++i) {
            bool same = a[i].normal == b[i].normal;
            for (int k = 0; k < 3 && same; ++k) {
                for (int axis = 0; axis < 3; ++axis) {
                    const Fixed d = b[i].corner[k][axis] - a[i].corner[k][axis] - kCopyOffset[axis];
                    same = same && std::llabs(d) <= kCopyTolerance;
                }
            }
            if (!same) {
                c.Fail(pair.copy, "triangle " + std::to_string(i) + " is not its original moved");
                break;
            }
        }
    }
    const FixedTriangle& first = model[0].front();
    if (first.normal != kFirstNormal || first.corner != kFirstCorners) {
        c.Fail(0, "the first triangle is not the required one");
    }
    return c.failures;
}
