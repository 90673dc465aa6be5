#include "hull_design.h"

#include "shapes.h"

#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

struct ProfilePoint {
    double s;  // along the axis
    double ru; // half height
    double rw; // half width
};

std::vector<Ring> ProfileRings(const Frame& f, const std::vector<ProfilePoint>& profile,
                               const std::vector<double>& angles) {
    std::vector<Ring> rings;
    for (const ProfilePoint& p : profile) {
        rings.push_back(EllipseRing(f, p.s, p.ru, p.rw, angles));
    }
    return rings;
}

// Axis-aligned box in ship axes.
void ShipBox(Mesh& mesh, Vec3 lo, Vec3 hi) {
    auto quad = [&](double x) {
        return Ring{{x, hi.y, hi.z}, {x, lo.y, hi.z}, {x, lo.y, lo.z}, {x, hi.y, lo.z}};
    };
    Block(mesh, quad(lo.x), quad(hi.x));
}

// Disc hull: an oval lens, wider than long, with a thin rim.
const Vec3 kDiscCentre{-183.7, 32.4, 0.0};
constexpr double kDiscHalfLength = 273.0; // along x
constexpr double kDiscHalfWidth = 358.0;  // along z
constexpr int kDiscSegments = 48;
constexpr double kDiscTop = 34.0;
constexpr double kDiscBottom = -34.0;

// Dish: depth of the hollow in front and of the back, behind the rim.
constexpr double kDishHollow = 3.0;
constexpr double kDishDepth = 9.0;
constexpr double kDishBackInset = 0.97;
constexpr double kDishBackSetBack = 0.4;

// Second hull.
const Vec3 kHullNose{38.0, -55.0, 0.0};
constexpr int kHullSegments = 23;

// A closed three-sided prism from `a` to `b` (ship x runs from a to b): at each end a
// triangle with its top edge, `halfWidth` to each side, at the end point, and its third
// corner `depth` below. A negative depth makes a ridge pointing up.
void Wedge(Mesh& mesh, Vec3 a, Vec3 b, double halfWidthA, double halfWidthB, double depthA,
           double depthB) {
    auto tri = [](Vec3 p, double w, double depth) {
        // Counter-clockwise about +x: the two top corners, then the keel point.
        const Vec3 keel = p + Vec3{0.0, -depth, 0.0};
        return depth > 0.0 ? Ring{p + Vec3{0.0, 0.0, -w}, p + Vec3{0.0, 0.0, w}, keel}
                           : Ring{keel, p + Vec3{0.0, 0.0, w}, p + Vec3{0.0, 0.0, -w}};
    };
    const Ring near = tri(a, halfWidthA, depthA);
    const Ring far = tri(b, halfWidthB, depthB);
    PolygonStart(mesh, near);
    Loft(mesh, {near, far});
    PolygonEnd(mesh, far);
}

} // namespace

Mesh BuildDiscHull() {
    // Vertical axis: rings advance upwards; `up` of the frame is the ship's x.
    const Frame f = MakeFrame(kDiscCentre, {0.0, 1.0, 0.0}, {1.0, 0.0, 0.0});
    const std::vector<double> around = EvenAngles(kDiscSegments);
    // (height, fraction of the rim)
    const std::array<std::array<double, 2>, 6> profile{
        {{-30.0, 0.30}, {-20.0, 0.72}, {0.0, 1.0}, {16.0, 0.86}, {28.0, 0.55}, {33.0, 0.25}}};
    std::vector<Ring> rings;
    for (const auto& p : profile) {
        rings.push_back(
            EllipseRing(f, p[0], kDiscHalfLength * p[1], kDiscHalfWidth * p[1], around));
    }
    Mesh mesh;
    const Vec3 top = f.At(kDiscTop, 0.0, 0.0);
    FanStart(mesh, rings.front(), f.At(kDiscBottom, 0.0, 0.0));
    Loft(mesh, rings);
    FanEnd(mesh, rings.back(), top);

    // Bridge dome, round, rising from the top of the disc; its underside meets the disc's
    // top point and stays below the disc's skin.
    const std::vector<double> bridgeAround = EvenAngles(20);
    const std::vector<Ring> bridge =
        ProfileRings(f, {{30.0, 62.0, 62.0}, {42.0, 58.0, 58.0}, {52.0, 36.0, 36.0}}, bridgeAround);
    FanStart(mesh, bridge.front(), top);
    Loft(mesh, bridge);
    FanEnd(mesh, bridge.back(), f.At(56.0, 0.0, 0.0));

    const Vec3 c = kDiscCentre;
    // Engine deck at the stern edge.
    ShipBox(mesh, c + Vec3{205.0, 2.0, -60.0}, c + Vec3{258.0, 24.0, 60.0});
    // Two sensor blocks on the upper surface.
    ShipBox(mesh, c + Vec3{-70.0, 20.0, 170.0}, c + Vec3{-10.0, 29.0, 215.0});
    ShipBox(mesh, c + Vec3{-70.0, 20.0, -215.0}, c + Vec3{-10.0, 29.0, -170.0});
    // Fairing underneath where the strut comes in.
    ShipBox(mesh, c + Vec3{120.0, -30.0, -45.0}, c + Vec3{225.0, -8.0, 45.0});
    return mesh;
}

Mesh BuildSecondHull(const DishParams& dish, const PodParams& pod, Vec3 engineOffset) {
    const Frame f = MakeFrame(kHullNose, {1.0, 0.0, 0.0}, {0.0, 1.0, 0.0});
    const std::vector<double> around = EvenAngles(kHullSegments);
    // The nose narrows into the back of the dish: its first rings lie parallel to the
    // dish, and the first of all, left open, sits inside the dish's lens.
    const Frame d = DishFrame(dish);
    auto dishRing = [&](double depth, double fraction) {
        Ring ring;
        for (double a : around) {
            // Angles counted as on the hull: from up towards +z (the dish's side is -z).
            ring.push_back(
                d.At(-depth, fraction * dish[3] * std::cos(a), -fraction * dish[4] * std::sin(a)));
        }
        return ring;
    };
    std::vector<Ring> rings{dishRing(5.0, 0.15), dishRing(10.0, 0.55), dishRing(16.0, 0.85)};
    for (const Ring& r : ProfileRings(f,
                                      {{-8.0, 44.0, 60.0},
                                       {32.0, 55.0, 70.0},
                                       {140.0, 58.0, 74.0},
                                       {250.0, 56.0, 72.0},
                                       {330.0, 50.0, 64.0},
                                       {370.0, 42.0, 52.0},
                                       {390.0, 34.0, 42.0},
                                       {395.0, 26.0, 32.0},
                                       {391.0, 16.0, 20.0}},
                                      around)) {
        rings.push_back(r);
    }
    Mesh mesh;
    Loft(mesh, rings);
    PolygonEnd(mesh, rings.back());

    // Pylons: six-sided tubes from inside the hull out and up into the underside of each
    // engine's waist; both ends are buried.
    const Frame podFrame = PodFrame(pod);
    const double midZ = pod[2] + 0.5 * engineOffset.z;
    for (int side = 0; side < 2; ++side) {
        const double sign = side == 0 ? -1.0 : 1.0;
        const Vec3 end =
            podFrame.At(0.53 * pod[3], -0.55 * pod[4], 0.0) + (side == 0 ? Vec3{} : engineOffset);
        const Vec3 start{end.x - 40.0, kHullNose.y + 10.0, midZ + sign * 30.0};
        const Frame pf = MakeFrame(start, end - start, {1.0, 0.0, 0.0});
        const double span = Length(end - start);
        std::vector<Ring> tube;
        for (int i = 0; i < 8; ++i) {
            const double t = i / 7.0;
            tube.push_back(
                EllipseRing(pf, span * t, 36.0 - 10.0 * t, 10.0 - 3.0 * t, EvenAngles(6)));
        }
        Loft(mesh, tube);
    }

    const Vec3 n = kHullNose;
    // Fairing on the back where the strut lands.
    ShipBox(mesh, n + Vec3{40.0, 40.0, -32.0}, n + Vec3{160.0, 62.0, 32.0});
    // Chin under the dish, a keel running forward from under the hull.
    Wedge(mesh, n + Vec3{-20.0, -12.0, 0.0}, n + Vec3{80.0, -40.0, 0.0}, 14.0, 34.0, 14.0, 45.0);
    // Ventral fin under the stern.
    Wedge(mesh, n + Vec3{290.0, -40.0, 0.0}, n + Vec3{400.0, -34.0, 0.0}, 14.0, 10.0, 40.0, 50.0);
    // Raised hangar roof along the stern.
    Wedge(mesh, n + Vec3{270.0, 60.0, 0.0}, n + Vec3{397.0, 50.0, 0.0}, 30.0, 24.0, -24.0, -24.0);
    return mesh;
}

DishParams InitialDishParams() {
    return {32.0, -46.0, 0.0, 21.0, 48.0, 0.3};
}

Frame DishFrame(const DishParams& p) {
    const Vec3 facing{-std::cos(p[5]), -std::sin(p[5]), 0.0};
    return MakeFrame({p[0], p[1], p[2]}, facing, {0.0, 1.0, 0.0});
}

Mesh BuildDish(const DishParams& p) {
    // An oval lens facing forward and down: a concave front, and a back whose rim points
    // sit between the front rim's, a little inside it and behind it, so that the front
    // always hides the back's edge.
    const Frame f = DishFrame(p);
    constexpr int n = 24;
    const Ring front = EllipseRing(f, 0.0, p[3], p[4], EvenAngles(n));
    const double k = std::cos(kPi / n) * kDishBackInset;
    const Ring back = EllipseRing(f, -kDishBackSetBack, p[3] * k, p[4] * k, EvenAngles(n, kPi / n));
    Mesh mesh;
    FanEnd(mesh, front, f.At(-kDishHollow, 0.0, 0.0));
    FanStart(mesh, back, f.At(-kDishDepth, 0.0, 0.0));
    return mesh;
}

Mesh BuildStrut() {
    // Seen from ahead it is a wide V: from a keel on the back of the second hull two
    // wings rise into the underside of the disc. Further aft the wings fold down onto the
    // hull and the strut runs on as a low deck into the hull's stern. Both ends are buried.
    struct Station {
        double x;
        double keelTop; // y of the ridge between the wings
        double tipY;    // wing tips
        double tipZ;
        double footY; // the two lower corners
        double footZ;
    };
    const std::array<Station, 9> stations{{{-52.5, 16.0, 20.0, 25.0, 12.0, 10.0},
                                           {-10.0, 12.0, 20.0, 50.0, 0.0, 16.0},
                                           {65.0, 10.0, 28.0, 97.0, -4.0, 20.0},
                                           {110.0, 6.0, 14.0, 70.0, -6.0, 20.0},
                                           {150.0, 4.0, 6.0, 45.0, -6.0, 20.0},
                                           {220.0, 4.0, 4.0, 40.0, -8.0, 20.0},
                                           {290.0, 2.0, 2.0, 35.0, -10.0, 18.0},
                                           {355.0, -4.0, -8.0, 28.0, -18.0, 14.0},
                                           {405.0, -22.0, -32.0, 15.0, -50.0, 8.0}}};
    std::vector<Ring> rings;
    for (const Station& s : stations) {
        // Counter-clockwise about +x seen from the stern: ridge, then towards +z.
        rings.push_back({{s.x, s.keelTop, 0.0},
                         {s.x, s.tipY, s.tipZ},
                         {s.x, s.footY, s.footZ},
                         {s.x, s.footY, -s.footZ},
                         {s.x, s.tipY, -s.tipZ}});
    }
    Mesh mesh;
    Loft(mesh, rings);
    return mesh;
}
