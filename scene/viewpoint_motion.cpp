#include "scene/viewpoint_motion.h"

#include "scene/viewpoint.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kStep = kViewpointKeyStep;
constexpr double kFarthest = kFarthestEyeDistance;

// The eye relative to the looked-at point: distance, angle around the vertical, height angle.
struct Orbit {
    double distance = 0.0;
    double around = 0.0;
    double up = 0.0;
};

Orbit OrbitOf(const EyePoint& eye) {
    const double x = eye[0] - kLookAtX, y = eye[1] - kLookAtY, z = eye[2] - kLookAtZ;
    const double distance = std::sqrt(x * x + y * y + z * z);
    return {distance, std::atan2(z, x), distance > 0 ? std::asin(y / distance) : 0.0};
}

EyePoint EyeOf(const Orbit& o) {
    const double flat = o.distance * std::cos(o.up);
    return {static_cast<float>(kLookAtX + flat * std::cos(o.around)),
            static_cast<float>(kLookAtY + o.distance * std::sin(o.up)),
            static_cast<float>(kLookAtZ + flat * std::sin(o.around))};
}

// The steepest height angle at this distance that keeps the eye a key step off the vertical.
double SteepestUp(double distance) {
    return std::acos(std::min(1.0, kStep / std::max(distance, kStep)));
}

} // namespace

EyePoint DraggedEye(const EyePoint& eye, double dxPixels, double dyPixels) {
    Orbit o = OrbitOf(eye);
    if (o.distance < kStep) {
        return eye;
    }
    const double perPixel = kDragDegreesPerPixel * std::numbers::pi / 180.0;
    const double steepest = SteepestUp(o.distance);
    o.around -= dxPixels * perPixel;
    // An eye the keys left steeper may come down, but not go steeper still.
    const double limit = std::max(steepest, std::abs(o.up));
    o.up = std::clamp(o.up + dyPixels * perPixel, -limit, limit);
    return EyeOf(o);
}

EyePoint WheeledEye(const EyePoint& eye, double notches) {
    Orbit o = OrbitOf(eye);
    if (o.distance <= 0) {
        return eye;
    }
    const double wanted = o.distance - notches * kStep;
    // Nearest: a key step off the vertical at this height angle. Keys may have gone beyond
    // either bound; the wheel then only brings the eye back.
    const double nearest = std::min(o.distance, kStep / std::max(std::cos(o.up), 1e-6));
    const double farthest = std::max(o.distance, kFarthest);
    o.distance = std::clamp(wanted, nearest, farthest);
    return EyeOf(o);
}
