// Glyph solids built from a real font's outlines, without a display.
#include "scene/font_fit.h"
#include "scene/glyph_font.h"

#include <cctype>
#include <cmath>
#include <gtest/gtest.h>

using namespace glyph;

static double Cross(const Vec3& a, const Vec3& b, const Vec3& c) {
    return double(b.x - a.x) * double(c.y - a.y) - double(b.y - a.y) * double(c.x - a.x);
}

// Whether a point lies on one of the front faces (counter-clockwise triangles).
static bool Covered(const std::vector<Vec3>& front, double x, double y) {
    const Vec3 p{float(x), float(y), 0.0f};
    for (size_t t = 0; t + 2 < front.size(); t += 3) {
        if (std::min({Cross(front[t], front[t + 1], p), Cross(front[t + 1], front[t + 2], p),
                      Cross(front[t + 2], front[t], p)}) >= 0) {
            return true;
        }
    }
    return false;
}

class DejaVuSans : public testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(m_font, nullptr) << "fonts-dejavu-core is needed"; }
    GlyphMesh Mesh(int code, double deviation) {
        return m_builder.Build(m_font->Outline(static_cast<unsigned char>(code), deviation), 0.1f);
    }
    std::unique_ptr<CGlyphFont> m_font =
        CGlyphFont::Open({"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 0});
    CGlyphMeshBuilder m_builder;
};

// Faces wound counter-clockwise seen from the front and from behind; for the clock's
// characters also the outline's filled area (holes open) and walls facing out of the glyph
// (elsewhere contours may overlap, as a cedilla does its letter).
TEST_F(DejaVuSans, EveryCharacterIsASolidFacingOutward) {
    for (int code = 0x20; code < 0x100; code += code == 0x7E ? 0x23 : 1) { // no controls
        SCOPED_TRACE(code);
        const GlyphMesh mesh = Mesh(code, 0.01);
        EXPECT_GT(mesh.advance, 0.0f);
        EXPECT_EQ(mesh.front.empty(), code == ' ');
        ASSERT_EQ(mesh.back.size(), mesh.front.size());
        double area = 0.0;
        int wrongTriangles = 0;
        for (size_t t = 0; t < mesh.front.size(); t += 3) {
            area += Cross(mesh.front[t], mesh.front[t + 1], mesh.front[t + 2]) / 2;
            wrongTriangles += Cross(mesh.front[t], mesh.front[t + 1], mesh.front[t + 2]) < 0 ||
                              Cross(mesh.back[t], mesh.back[t + 1], mesh.back[t + 2]) > 0 ||
                              mesh.front[t].z != 0.0f || mesh.back[t].z != -0.1f;
        }
        EXPECT_EQ(wrongTriangles, 0) << "of " << mesh.front.size() / 3;
        if (!std::isdigit(code) && code != ':') {
            continue;
        }
        const GlyphOutline outline = m_font->Outline(static_cast<unsigned char>(code), 0.01);
        double outlineArea = 0.0;
        size_t edges = 0;
        for (const Contour& c : outline.contours) {
            outlineArea += SignedArea2(c) / 2;
            edges += c.size();
        }
        EXPECT_NEAR(area, std::fabs(outlineArea), 1e-6);
        EXPECT_EQ(mesh.sides.size(), edges);
        int wrongWalls = 0;
        for (const SideQuad& quad : mesh.sides) {
            const Vec3 &a = quad.corners[0], &b = quad.corners[1], &c = quad.corners[2];
            // The corners, counter-clockwise seen from outside, give the quad's normal.
            const double nx = double(b.y - a.y) * (c.z - a.z) - double(b.z - a.z) * (c.y - a.y);
            const double ny = double(b.z - a.z) * (c.x - a.x) - double(b.x - a.x) * (c.z - a.z);
            const double x = (a.x + c.x) / 2.0, y = (a.y + c.y) / 2.0, dx = 1e-4 * quad.normal.x,
                         dy = 1e-4 * quad.normal.y;
            wrongWalls += nx * quad.normal.x + ny * quad.normal.y <= 0 ||
                          std::fabs(std::hypot(quad.normal.x, quad.normal.y) - 1) > 1e-6 ||
                          Covered(mesh.front, x + dx, y + dy) ||
                          !Covered(mesh.front, x - dx, y - dy);
        }
        EXPECT_EQ(wrongWalls, 0) << "of " << mesh.sides.size();
    }
}

TEST_F(DejaVuSans, SizesInEmsAndTheDeviationIsHeeded) {
    // "0" is 1303 units wide and spans (135, -29) to (1167, 1520) of 2048 to the em;
    // flattened curves cut inside the outline by at most the deviation.
    const GlyphMesh zero = Mesh('0', 0.002);
    EXPECT_FLOAT_EQ(zero.advance, 1303 / 2048.0f);
    auto [left, right] = std::minmax_element(zero.front.begin(), zero.front.end(),
                                             [](Vec3 a, Vec3 b) { return a.x < b.x; });
    auto [bottom, top] = std::minmax_element(zero.front.begin(), zero.front.end(),
                                             [](Vec3 a, Vec3 b) { return a.y < b.y; });
    EXPECT_NEAR(left->x * 2048, 135, 4.1);
    EXPECT_NEAR(right->x * 2048, 1167, 4.1);
    EXPECT_NEAR(bottom->y * 2048, -29, 4.1);
    EXPECT_NEAR(top->y * 2048, 1520, 4.1);
    EXPECT_GT(Mesh('0', 0.001).sides.size(), 2 * Mesh('0', 0.05).sides.size());
    // A font "of height h" spans ascent plus descent: one pixel at height 129 in ems.
    EXPECT_EQ(m_font->CellUnits(), 1901 + 483);
    EXPECT_DOUBLE_EQ(DeviationInEms(*m_font, 129, 1.0), 2384.0 / (129.0 * 2048.0));
    EXPECT_DOUBLE_EQ(DeviationInEms(*m_font, 0, 1.0), DeviationInEms(*m_font, 16, 1.0));
    EXPECT_EQ(CGlyphFont::Open({"/etc/hostname", 0}), nullptr);
}
