#pragma once

#include "scene/glyph_outline.h"

#include <array>
#include <memory>
#include <vector>

// One glyph as a solid: the filled outline as a front face at z = 0, the same face
// again at z = -depth, and side walls joining the two along every contour.
// Coordinates in ems. Pure geometry: the GLU tessellator runs without a display.
namespace glyph {

struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct GlyphOutline {
    std::vector<Contour> contours; // flattened, in ems
    bool evenOdd = false;          // the font's fill rule; otherwise non-zero winding
    double advance = 0.0;          // in ems
};

struct SideQuad {
    Vec3 normal; // unit length, z = 0, pointing out of the glyph
    std::array<Vec3, 4> corners;
};

struct GlyphMesh {
    std::vector<Vec3> front; // triangles, three corners each, counter-clockwise seen from +z
    std::vector<Vec3> back;  // the same triangles at z = -depth, counter-clockwise seen from -z
    std::vector<SideQuad> sides;
    float advance = 0.0f;
};

// Reuses one GLU tessellator for many glyphs.
class CGlyphMeshBuilder {
  public:
    CGlyphMeshBuilder();
    ~CGlyphMeshBuilder();
    CGlyphMeshBuilder(const CGlyphMeshBuilder&) = delete;
    CGlyphMeshBuilder& operator=(const CGlyphMeshBuilder&) = delete;

    GlyphMesh Build(const GlyphOutline& outline, float depth);

    struct Tessellation; // the tessellator and what its callbacks collect

  private:
    std::unique_ptr<Tessellation> m_pTess;
};

} // namespace glyph
