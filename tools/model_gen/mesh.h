#pragma once

#include "vec3.h"

#include <vector>

// One flat-shaded triangle, corners in the order they are sent. The facet normal of the
// tables is -unit((c1 - c0) x (c2 - c0)): the corners run clockwise seen from outside.
struct Triangle {
    Vec3 corner[3];
};

class Mesh {
  public:
    // a, b, c run counter-clockwise seen from the outside, the usual right-hand order;
    // they are stored clockwise as the tables want.
    void AddFace(Vec3 a, Vec3 b, Vec3 c) { m_triangles.push_back({{a, c, b}}); }
    // A quad counter-clockwise from outside, split along a-c.
    void AddQuad(Vec3 a, Vec3 b, Vec3 c, Vec3 d) {
        AddFace(a, b, c);
        AddFace(a, c, d);
    }
    // A triangle whose corners are already in the stored (clockwise) order.
    void AddStored(const Triangle& t) { m_triangles.push_back(t); }
    void Append(const Mesh& other) {
        m_triangles.insert(m_triangles.end(), other.m_triangles.begin(), other.m_triangles.end());
    }
    const std::vector<Triangle>& Triangles() const { return m_triangles; }
    std::vector<Triangle>& Triangles() { return m_triangles; }

  private:
    std::vector<Triangle> m_triangles;
};
