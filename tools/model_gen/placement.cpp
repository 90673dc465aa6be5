#include "placement.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <stdexcept>
#include <string>

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

// Rows of the turn the scene applies, Rx(30 degrees) * Rz(20 degrees): model -> ship.
struct Turn {
    std::array<Vec3, 3> rows;
    Turn() {
        const double cx = std::cos(30.0 * kDegree);
        const double sx = std::sin(30.0 * kDegree);
        const double cz = std::cos(20.0 * kDegree);
        const double sz = std::sin(20.0 * kDegree);
        rows[0] = {cz, -sz, 0.0};
        rows[1] = {cx * sz, cx * cz, -sx};
        rows[2] = {sx * sz, sx * cz, cx};
    }
};

const Turn& SceneTurn() {
    static const Turn turn;
    return turn;
}

double Component(const Vec3& v, int axis) {
    return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

// Solves a small dense system in place (Gaussian elimination, partial pivoting).
std::vector<double> SolveLinear(std::vector<std::vector<double>> a, std::vector<double> b) {
    const size_t n = b.size();
    for (size_t col = 0; col < n; ++col) {
        size_t pivot = col;
        for (size_t r = col + 1; r < n; ++r) {
            if (std::abs(a[r][col]) > std::abs(a[pivot][col])) {
                pivot = r;
            }
        }
        std::swap(a[col], a[pivot]);
        std::swap(b[col], b[pivot]);
        if (std::abs(a[col][col]) < 1e-12) {
            throw std::runtime_error("bounds solve: singular system");
        }
        for (size_t r = 0; r < n; ++r) {
            if (r == col) {
                continue;
            }
            const double f = a[r][col] / a[col][col];
            for (size_t c = col; c < n; ++c) {
                a[r][c] -= f * a[col][c];
            }
            b[r] -= f * b[col];
        }
    }
    for (size_t i = 0; i < n; ++i) {
        b[i] /= a[i][i];
    }
    return b;
}

std::vector<double> Misses(const Mesh& mesh, const Bounds& target) {
    const Bounds b = ModelBounds(mesh);
    std::vector<double> r;
    for (int axis = 0; axis < 3; ++axis) {
        r.push_back(b.lo[axis] - target.lo[axis]);
        r.push_back(b.hi[axis] - target.hi[axis]);
    }
    return r;
}

double Worst(const std::vector<double>& misses) {
    double worst = 0.0;
    for (double v : misses) {
        worst = std::max(worst, std::abs(v));
    }
    return worst;
}

// The worst miss of build(params), or infinity when those parameters make no valid part.
double TryWorst(const PartBuilder& build, const std::vector<double>& params, const Bounds& goal) {
    try {
        return Worst(Misses(build(params), goal));
    } catch (const std::logic_error&) {
        return std::numeric_limits<double>::infinity();
    }
}

} // namespace

Vec3 ShipToModel(Vec3 ship) {
    const Turn& t = SceneTurn();
    // Inverse of a rotation: the transpose.
    return t.rows[0] * ship.x + t.rows[1] * ship.y + t.rows[2] * ship.z;
}

Vec3 ModelToShip(Vec3 model) {
    const Turn& t = SceneTurn();
    return {Dot(t.rows[0], model), Dot(t.rows[1], model), Dot(t.rows[2], model)};
}

Vec3 FixedToModel(const std::array<Fixed, 3>& p) {
    return {p[0] / kFixedScale, p[1] / kFixedScale, p[2] / kFixedScale};
}

Mesh ToModel(const Mesh& shipMesh) {
    Mesh model;
    for (const Triangle& t : shipMesh.Triangles()) {
        model.AddStored(
            {{ShipToModel(t.corner[0]), ShipToModel(t.corner[1]), ShipToModel(t.corner[2])}});
    }
    return model;
}

Mesh StretchToBounds(const Mesh& shipMesh, const PartTarget& target) {
    constexpr double kLargestShift = 3.0;
    constexpr double kLargestScale = 0.01;
    const Bounds have = ModelBounds(shipMesh);
    const Bounds want = TargetBounds(target);
    std::array<double, 3> scale{};
    for (int axis = 0; axis < 3; ++axis) {
        scale[axis] = (want.hi[axis] - want.lo[axis]) / (have.hi[axis] - have.lo[axis]);
        const double shift = std::max(std::abs(have.lo[axis] - want.lo[axis]),
                                      std::abs(have.hi[axis] - want.hi[axis]));
        if (std::abs(scale[axis] - 1.0) > kLargestScale || shift > kLargestShift) {
            throw std::runtime_error("a part is too far from its bounds (axis " +
                                     std::to_string(axis) + ", moved " + std::to_string(shift) +
                                     ", scaled " + std::to_string(scale[axis]) + ")");
        }
    }
    Mesh model = ToModel(shipMesh);
    for (Triangle& t : model.Triangles()) {
        for (Vec3& c : t.corner) {
            c = {want.lo[0] + (c.x - have.lo[0]) * scale[0],
                 want.lo[1] + (c.y - have.lo[1]) * scale[1],
                 want.lo[2] + (c.z - have.lo[2]) * scale[2]};
        }
    }
    return model;
}

Bounds ModelBounds(const Mesh& shipMesh) {
    Bounds b;
    b.lo.fill(std::numeric_limits<double>::infinity());
    b.hi.fill(-std::numeric_limits<double>::infinity());
    for (const Triangle& t : shipMesh.Triangles()) {
        for (const Vec3& c : t.corner) {
            const Vec3 m = ShipToModel(c);
            for (int axis = 0; axis < 3; ++axis) {
                b.lo[axis] = std::min(b.lo[axis], Component(m, axis));
                b.hi[axis] = std::max(b.hi[axis], Component(m, axis));
            }
        }
    }
    return b;
}

Bounds TargetBounds(const PartTarget& target) {
    Bounds b;
    for (int axis = 0; axis < 3; ++axis) {
        b.lo[axis] = target.lo[axis] / kFixedScale;
        b.hi[axis] = target.hi[axis] / kFixedScale;
    }
    return b;
}

double SolveBounds(const PartBuilder& build, std::vector<double>& params,
                   const PartTarget& target) {
    const Bounds goal = TargetBounds(target);
    const size_t n = params.size();
    double worst = 0.0;
    for (int iteration = 0; iteration < 60; ++iteration) {
        const std::vector<double> r = Misses(build(params), goal);
        worst = Worst(r);
        if (worst < 1e-9) {
            break;
        }
        std::vector<std::vector<double>> jacobian(r.size(), std::vector<double>(n));
        for (size_t j = 0; j < n; ++j) {
            std::vector<double> moved = params;
            const double h = 1e-6 * std::max(1.0, std::abs(params[j]));
            moved[j] += h;
            const std::vector<double> rm = Misses(build(moved), goal);
            for (size_t i = 0; i < r.size(); ++i) {
                jacobian[i][j] = (rm[i] - r[i]) / h;
            }
        }
        // Normal equations with a little damping, enough for six unknowns.
        std::vector<std::vector<double>> a(n, std::vector<double>(n, 0.0));
        std::vector<double> g(n, 0.0);
        for (size_t i = 0; i < n; ++i) {
            for (size_t j = 0; j < n; ++j) {
                for (size_t k = 0; k < r.size(); ++k) {
                    a[i][j] += jacobian[k][i] * jacobian[k][j];
                }
            }
            a[i][i] *= 1.0 + 1e-9;
            for (size_t k = 0; k < r.size(); ++k) {
                g[i] -= jacobian[k][i] * r[k];
            }
        }
        const std::vector<double> step = SolveLinear(a, g);
        // Take the whole step, or less when it would make things worse.
        double fraction = 1.0;
        for (int halving = 0; halving < 20; ++halving, fraction *= 0.5) {
            std::vector<double> next = params;
            for (size_t j = 0; j < n; ++j) {
                next[j] += fraction * step[j];
            }
            if (TryWorst(build, next, goal) < worst) {
                params = next;
                break;
            }
        }
    }
    return Worst(Misses(build(params), goal));
}
