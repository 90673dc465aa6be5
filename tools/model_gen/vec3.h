#pragma once

#include <cmath>

// Plain double-precision vector for designing the model; the tables are rounded later.
struct Vec3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator-(Vec3 a) {
    return {-a.x, -a.y, -a.z};
}
inline Vec3 operator*(Vec3 a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline Vec3 operator*(double s, Vec3 a) {
    return a * s;
}
inline double Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double Length(Vec3 a) {
    return std::sqrt(Dot(a, a));
}
inline Vec3 Unit(Vec3 a) {
    return a * (1.0 / Length(a));
}

// An orthonormal frame: `along` is the main axis of a solid, `up` and `side` span its
// cross-sections. Local (s, u, w) maps to origin + s*along + u*up + w*side.
struct Frame {
    Vec3 origin;
    Vec3 along{1.0, 0.0, 0.0};
    Vec3 up{0.0, 1.0, 0.0};
    Vec3 side{0.0, 0.0, 1.0};

    Vec3 At(double s, double u, double w) const { return origin + along * s + up * u + side * w; }
};

// A frame whose main axis is `along`, with `up` as close to `upHint` as allows.
inline Frame MakeFrame(Vec3 origin, Vec3 along, Vec3 upHint) {
    Frame f;
    f.origin = origin;
    f.along = Unit(along);
    f.up = Unit(upHint - f.along * Dot(upHint, f.along));
    f.side = Cross(f.along, f.up);
    return f;
}
