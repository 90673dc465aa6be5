#include "engine_design.h"

#include "placement.h"
#include "shapes.h"
#include "targets.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDegree = kPi / 180.0;

// Pod profile, as fractions of the radius and distances from the front face.
constexpr int kPodSegments = 24;
constexpr double kBossHeight = 2.0;
constexpr double kBossFace = 0.2;
constexpr double kBossFoot = 0.3;
constexpr double kFrontCollar = 34.0;
constexpr double kRearCollar = 10.0;
constexpr double kStepHole = 0.62;
constexpr double kNozzleLip = 0.75;
constexpr double kNozzleFloor = 0.46;
constexpr double kNozzleDepth = 6.0;
// The waist is a separate tube whose ends hide inside the two collars.
constexpr int kWaistSegments = 28;
constexpr double kWaist = 0.66;
// Grille: a fluted strip of 32 facets just outside the waist.
constexpr int kGrilleFacets = 32;
constexpr double kGrilleInner = 0.80;
constexpr double kGrilleOuter = 0.87;
constexpr double kGrilleTuck = 0.55;
constexpr double kGrilleGap = 6.0 * kDegree; // half the slit underneath

Vec3 CapFirstCorner(int i) {
    return ModelToShip(FixedToModel(kFirstCorners[i]));
}

} // namespace

PodParams InitialPodParams() {
    return {130.286, -27.029, -186.743, 317.623, 34.783, 5.9 * kDegree};
}

Frame PodFrame(const PodParams& p) {
    const Vec3 along{std::cos(p[5]), std::sin(p[5]), 0.0};
    return MakeFrame({p[0], p[1], p[2]}, along, {0.0, 1.0, 0.0});
}

Mesh BuildPod(const PodParams& p) {
    const Frame f = PodFrame(p);
    const double length = p[3];
    const double r = p[4];
    const std::vector<double> around = EvenAngles(kPodSegments);
    auto ring = [&](double s, double radius) { return EllipseRing(f, s, radius, radius, around); };
    Mesh mesh;

    // Front collar: a low boss on the front face (below the cap), the face, the collar and
    // its rear step. Its open end is the hole in the step, inside the waist tube.
    const Ring boss = ring(-kBossHeight, kBossFace * r);
    PolygonStart(mesh, boss);
    Loft(mesh, {boss, ring(0.0, kBossFoot * r), ring(0.0, r), ring(kFrontCollar, r),
                ring(kFrontCollar, kStepHole * r)});

    // Rear collar: front step, collar, rear face, nozzle wall, nozzle floor.
    const double back = length - kRearCollar;
    const Ring nozzle = ring(length - kNozzleDepth, kNozzleFloor * r);
    Loft(mesh, {ring(back, kStepHole * r), ring(back, r), ring(length, r),
                ring(length, kNozzleLip * r), nozzle});
    FanEnd(mesh, nozzle, f.At(length - kNozzleDepth, 0.0, 0.0));

    // Waist between the collars.
    const std::vector<double> waistAround = EvenAngles(kWaistSegments);
    Loft(mesh, {EllipseRing(f, kFrontCollar - 5.0, kWaist * r, kWaist * r, waistAround),
                EllipseRing(f, back + 3.0, kWaist * r, kWaist * r, waistAround)});

    // Spinner on the boss; its base hides behind the boss's face.
    FanStart(mesh, ring(1.0, 0.14 * r), f.At(-10.0, 0.0, 0.0));

    // Fairing under the waist that takes the pylon.
    auto fairing = [&](double s) {
        return Ring{f.At(s, -0.70 * r, 0.22 * r), f.At(s, -0.96 * r, 0.22 * r),
                    f.At(s, -0.96 * r, -0.22 * r), f.At(s, -0.70 * r, -0.22 * r)};
    };
    Block(mesh, fairing(0.42 * length), fairing(0.64 * length));
    return mesh;
}

GrilleParams InitialGrilleParams() {
    return {kFrontCollar + 3.0, kRearCollar - 5.0, 0.0, 0.0, 0.0, 1.0};
}

Mesh BuildGrille(const PodParams& pod, const GrilleParams& p) {
    const Frame f = PodFrame(pod);
    const double r = pod[4] * p[5];
    // A slight tilt against the pod, lifting the rear end: up per unit of length.
    const double tilt = p[4];
    Ring front;
    Ring back;
    const double start = -kPi + kGrilleGap;
    const double sweep = 2.0 * (kPi - kGrilleGap);
    for (int k = 0; k <= kGrilleFacets; ++k) {
        const double a = start + sweep * k / kGrilleFacets;
        // Flutes alternate outer and inner; the two edges of the slit turn in below the
        // waist's skin, so the slit shows the waist and never the grille's inside.
        const bool edge = k == 0 || k == kGrilleFacets;
        const double radius =
            edge ? kGrilleTuck * r : (k % 2 == 0 ? kGrilleOuter : kGrilleInner) * r;
        const double u = p[2] + radius * std::cos(a);
        const double w = p[3] + radius * std::sin(a);
        front.push_back(f.At(p[0], u + tilt * p[0], w));
        back.push_back(f.At(pod[3] - p[1], u + tilt * (pod[3] - p[1]), w));
    }
    Mesh mesh;
    Loft(mesh, {front, back}, false);
    return mesh;
}

namespace {

constexpr int kCapFrontFacets = 15; // edges of the underside's curved edge
constexpr int kCapBackFacets = 12;
constexpr double kCapUndersideEnd = 106.0 * kDegree; // from the nose, each way
constexpr int kCapRings = 5;

} // namespace

CapParams InitialCapParams() {
    return {-5.81, 11.87, -0.06, 35.13, 24.84, 31.24};
}

Mesh BuildCap(const PodParams& pod, const CapParams& p) {
    const Frame pf = PodFrame(pod);
    const Frame f = MakeFrame(pf.At(p[0], p[1], p[2]), pf.along, pf.up);
    const double halfLength = p[3];
    const double halfWidth = p[4];
    const double height = p[5];
    // The underside is the plane of the required first triangle; the front part of the
    // dome's lowest ring, the underside's edge, is moved onto it along the dome's own
    // vertical. The rest of that ring stays inside the pod, where the underside is open.
    const Vec3 a = CapFirstCorner(0);
    const Vec3 b = CapFirstCorner(1);
    const Vec3 c = CapFirstCorner(2);
    const Vec3 planeUp = Unit(Cross(b - a, c - a)); // the triangle's normal, negated
    auto ontoPlane = [&](Vec3 q) { return q - f.up * (Dot(planeUp, q - a) / Dot(planeUp, f.up)); };

    // Angles from the nose (-along) towards +side, counter-clockwise about `up`. The
    // underside only covers the part ahead of the pod's front face; its curved edge gets
    // finer steps than the part of the rim hidden in the pod.
    std::vector<double> angles;
    for (int j = 0; j <= kCapFrontFacets; ++j) {
        angles.push_back(-kCapUndersideEnd + 2.0 * kCapUndersideEnd * j / kCapFrontFacets);
    }
    for (int k = 1; k < kCapBackFacets; ++k) {
        angles.push_back(kCapUndersideEnd +
                         (2.0 * kPi - 2.0 * kCapUndersideEnd) * k / kCapBackFacets);
    }
    std::vector<Ring> rings;
    for (int i = 0; i < kCapRings; ++i) {
        const double elevation = 0.5 * kPi * i / kCapRings;
        const double k = std::cos(elevation);
        Ring ring;
        for (double angle : angles) {
            const Vec3 q = f.At(-halfLength * k * std::cos(angle), height * std::sin(elevation),
                                halfWidth * k * std::sin(angle));
            const bool edge = i == 0 && ring.size() <= kCapFrontFacets;
            ring.push_back(edge ? ontoPlane(q) : q);
        }
        rings.push_back(ring);
    }
    Mesh mesh;
    // The required first triangle leads the table; it lies in the underside.
    mesh.AddStored({{a, b, c}});
    // Underside: from the curved front edge (counter-clockwise seen from below) in to the
    // first triangle.
    std::vector<Vec3> edge(rings[0].begin(), rings[0].begin() + kCapFrontFacets + 1);
    std::reverse(edge.begin(), edge.end());
    BridgeLoops(mesh, edge, {a, c, b}, (a + b + c) * (1.0 / 3.0), -planeUp);
    // Dome.
    Loft(mesh, rings);
    FanEnd(mesh, rings.back(), f.At(0.0, height, 0.0));
    return mesh;
}
