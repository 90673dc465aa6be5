#include "shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

Ring EllipseRing(const Frame& frame, double s, double ru, double rw,
                 const std::vector<double>& angles) {
    Ring ring;
    ring.reserve(angles.size());
    for (double a : angles) {
        ring.push_back(frame.At(s, ru * std::cos(a), rw * std::sin(a)));
    }
    return ring;
}

std::vector<double> EvenAngles(int count, double phase) {
    std::vector<double> angles;
    for (int i = 0; i < count; ++i) {
        angles.push_back(phase + 2.0 * std::numbers::pi * i / count);
    }
    return angles;
}

void Loft(Mesh& mesh, const std::vector<Ring>& rings, bool closedLoop) {
    for (size_t r = 0; r + 1 < rings.size(); ++r) {
        const Ring& a = rings[r];
        const Ring& b = rings[r + 1];
        if (a.size() != b.size()) {
            throw std::logic_error("loft between rings of different size");
        }
        const size_t n = a.size();
        const size_t quads = closedLoop ? n : n - 1;
        for (size_t j = 0; j < quads; ++j) {
            const size_t k = (j + 1) % n;
            mesh.AddQuad(a[j], a[k], b[k], b[j]);
        }
    }
}

void FanStart(Mesh& mesh, const Ring& ring, Vec3 apex) {
    for (size_t j = 0; j < ring.size(); ++j) {
        mesh.AddFace(ring[(j + 1) % ring.size()], ring[j], apex);
    }
}

void FanEnd(Mesh& mesh, const Ring& ring, Vec3 apex) {
    for (size_t j = 0; j < ring.size(); ++j) {
        mesh.AddFace(ring[j], ring[(j + 1) % ring.size()], apex);
    }
}

void PolygonStart(Mesh& mesh, const Ring& ring) {
    for (size_t j = 1; j + 1 < ring.size(); ++j) {
        mesh.AddFace(ring[0], ring[j + 1], ring[j]);
    }
}

void PolygonEnd(Mesh& mesh, const Ring& ring) {
    for (size_t j = 1; j + 1 < ring.size(); ++j) {
        mesh.AddFace(ring[0], ring[j], ring[j + 1]);
    }
}

void Block(Mesh& mesh, const Ring& nearQuad, const Ring& farQuad) {
    PolygonStart(mesh, nearQuad);
    Loft(mesh, {nearQuad, farQuad});
    PolygonEnd(mesh, farQuad);
}

namespace {

struct LoopPoint {
    Vec3 p;
    double angle;
};

// The loop's points with their angles about `centre` in [0, 2pi), starting at the smallest.
std::vector<LoopPoint> ByAngle(const std::vector<Vec3>& loop, Vec3 centre, Vec3 e1, Vec3 e2) {
    std::vector<LoopPoint> points;
    for (Vec3 p : loop) {
        double a = std::atan2(Dot(p - centre, e2), Dot(p - centre, e1));
        if (a < 0.0) {
            a += 2.0 * std::numbers::pi;
        }
        points.push_back({p, a});
    }
    auto first =
        std::min_element(points.begin(), points.end(),
                         [](const LoopPoint& l, const LoopPoint& r) { return l.angle < r.angle; });
    std::rotate(points.begin(), first, points.end());
    for (size_t i = 1; i < points.size(); ++i) {
        if (points[i].angle <= points[i - 1].angle) {
            throw std::logic_error("loop is not star-shaped about its centre");
        }
    }
    return points;
}

} // namespace

void BridgeLoops(Mesh& mesh, const std::vector<Vec3>& outer, const std::vector<Vec3>& inner,
                 Vec3 centre, Vec3 normal) {
    const Vec3 n = Unit(normal);
    Vec3 e1 = outer.front() - centre;
    e1 = Unit(e1 - n * Dot(e1, n));
    const Vec3 e2 = Cross(n, e1);
    const std::vector<LoopPoint> o = ByAngle(outer, centre, e1, e2);
    const std::vector<LoopPoint> in = ByAngle(inner, centre, e1, e2);
    // Sweep once around the centre; every point met closes one triangle with the latest
    // point of the other loop. The sweep starts from the last point of each loop.
    Vec3 oc = o.back().p;
    Vec3 ic = in.back().p;
    size_t i = 0;
    size_t j = 0;
    while (i < o.size() || j < in.size()) {
        const bool outerNext = j == in.size() || (i < o.size() && o[i].angle <= in[j].angle);
        if (outerNext) {
            mesh.AddFace(oc, o[i].p, ic);
            oc = o[i++].p;
        } else {
            mesh.AddFace(oc, in[j].p, ic);
            ic = in[j++].p;
        }
    }
}
