#include "scene/glyph_mesh.h"

#include <GL/glu.h>
#include <cmath>
#include <deque>

namespace glyph {

// What the tessellator's callbacks fill in, handed to them as polygon data.
struct CGlyphMeshBuilder::Tessellation {
    GLUtesselator* tess = nullptr;
    std::deque<std::array<GLdouble, 3>> vertices; // stable addresses for the tessellator
    std::vector<const GLdouble*> corners;         // three per triangle
    bool failed = false;
};

namespace {

using State = CGlyphMeshBuilder::Tessellation;

void APIENTRY OnBegin(GLenum, void*) {}
void APIENTRY OnEnd(void*) {}
// Having an edge-flag callback makes the tessellator emit separate triangles only.
void APIENTRY OnEdgeFlag(GLboolean, void*) {}

void APIENTRY OnVertex(void* vertex, void* user) {
    static_cast<State*>(user)->corners.push_back(static_cast<const GLdouble*>(vertex));
}

// Overlapping contours cross; the crossing becomes a new vertex.
void APIENTRY OnCombine(GLdouble coords[3], void* /*neighbours*/[4], GLfloat /*weights*/[4],
                        void** out, void* user) {
    auto* state = static_cast<State*>(user);
    state->vertices.push_back({coords[0], coords[1], coords[2]});
    *out = state->vertices.back().data();
}

void APIENTRY OnError(GLenum, void* user) {
    static_cast<State*>(user)->failed = true;
}

template <typename Function> _GLUfuncptr Callback(Function* function) {
    return reinterpret_cast<_GLUfuncptr>(function);
}

Vec3 At(const GLdouble* v, float z) {
    return {static_cast<float>(v[0]), static_cast<float>(v[1]), z};
}

double Cross(const GLdouble* a, const GLdouble* b, const GLdouble* c) {
    return (b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0]);
}

void AddSides(const GlyphOutline& outline, float depth, bool clockwiseOuter, GlyphMesh& mesh) {
    for (const Contour& contour : outline.contours) {
        const size_t n = contour.size();
        if (n < 3) {
            continue;
        }
        for (size_t i = 0; i < n; ++i) {
            const Vec2& a = contour[i];
            const Vec2& b = contour[(i + 1) % n];
            const double dx = b.x - a.x;
            const double dy = b.y - a.y;
            const double length = std::hypot(dx, dy);
            if (length == 0.0) {
                continue;
            }
            // The filled side lies right of the direction of travel when the outer
            // contours run clockwise, left of it otherwise.
            const double sign = clockwiseOuter ? 1.0 : -1.0;
            const Vec3 normal{static_cast<float>(-sign * dy / length),
                              static_cast<float>(sign * dx / length), 0.0f};
            const Vec3 a0{static_cast<float>(a.x), static_cast<float>(a.y), 0.0f};
            const Vec3 b0{static_cast<float>(b.x), static_cast<float>(b.y), 0.0f};
            const Vec3 a1{a0.x, a0.y, -depth};
            const Vec3 b1{b0.x, b0.y, -depth};
            // Counter-clockwise seen from outside.
            if (clockwiseOuter) {
                mesh.sides.push_back({normal, {a0, b0, b1, a1}});
            } else {
                mesh.sides.push_back({normal, {a0, a1, b1, b0}});
            }
        }
    }
}

} // namespace

CGlyphMeshBuilder::CGlyphMeshBuilder() : m_pTess(std::make_unique<Tessellation>()) {
    GLUtesselator* tess = gluNewTess();
    m_pTess->tess = tess;
    if (!tess) {
        return;
    }
    gluTessCallback(tess, GLU_TESS_BEGIN_DATA, Callback(&OnBegin));
    gluTessCallback(tess, GLU_TESS_END_DATA, Callback(&OnEnd));
    gluTessCallback(tess, GLU_TESS_EDGE_FLAG_DATA, Callback(&OnEdgeFlag));
    gluTessCallback(tess, GLU_TESS_VERTEX_DATA, Callback(&OnVertex));
    gluTessCallback(tess, GLU_TESS_COMBINE_DATA, Callback(&OnCombine));
    gluTessCallback(tess, GLU_TESS_ERROR_DATA, Callback(&OnError));
    // All contours lie in the plane z = 0; saying so spares the tessellator a guess.
    gluTessNormal(tess, 0.0, 0.0, 1.0);
}

CGlyphMeshBuilder::~CGlyphMeshBuilder() {
    if (m_pTess->tess) {
        gluDeleteTess(m_pTess->tess);
    }
}

GlyphMesh CGlyphMeshBuilder::Build(const GlyphOutline& outline, float depth) {
    GlyphMesh mesh;
    mesh.advance = static_cast<float>(outline.advance);

    double area2 = 0.0;
    for (const Contour& contour : outline.contours) {
        if (contour.size() >= 3) {
            area2 += SignedArea2(contour);
        }
    }
    // TrueType outlines run clockwise around filled areas, PostScript ones the other way.
    const bool clockwiseOuter = area2 < 0.0;
    AddSides(outline, depth, clockwiseOuter, mesh);

    Tessellation& state = *m_pTess;
    if (!state.tess || area2 == 0.0) {
        return mesh;
    }
    state.vertices.clear();
    state.corners.clear();
    state.failed = false;
    gluTessProperty(state.tess, GLU_TESS_WINDING_RULE,
                    outline.evenOdd ? GLU_TESS_WINDING_ODD : GLU_TESS_WINDING_NONZERO);
    gluTessBeginPolygon(state.tess, &state);
    for (const Contour& contour : outline.contours) {
        if (contour.size() < 3) {
            continue;
        }
        gluTessBeginContour(state.tess);
        for (const Vec2& point : contour) {
            state.vertices.push_back({point.x, point.y, 0.0});
            GLdouble* stored = state.vertices.back().data();
            gluTessVertex(state.tess, stored, stored);
        }
        gluTessEndContour(state.tess);
    }
    gluTessEndPolygon(state.tess);
    if (state.failed) {
        state.corners.clear();
    }

    const size_t triangles = state.corners.size() / 3;
    mesh.front.reserve(triangles * 3);
    mesh.back.reserve(triangles * 3);
    for (size_t t = 0; t < triangles; ++t) {
        const GLdouble* p = state.corners[3 * t];
        const GLdouble* q = state.corners[3 * t + 1];
        const GLdouble* r = state.corners[3 * t + 2];
        if (Cross(p, q, r) < 0.0) {
            std::swap(q, r);
        }
        mesh.front.insert(mesh.front.end(), {At(p, 0.0f), At(q, 0.0f), At(r, 0.0f)});
        mesh.back.insert(mesh.back.end(), {At(p, -depth), At(r, -depth), At(q, -depth)});
    }
    return mesh;
}

} // namespace glyph
