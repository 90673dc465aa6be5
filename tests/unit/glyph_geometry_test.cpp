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

class DejaVuSans : public testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(m_font, nullptr) << "fonts-dejavu-core is needed"; }
    GlyphMesh Mesh(unsigned char code, double deviation) {
        return m_builder.Build(m_font->Outline(code, deviation), kDepth);
    }
    static constexpr float kDepth = 0.1f;
    std::unique_ptr<CGlyphFont> m_font =
        CGlyphFont::Open({"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 0});
    CGlyphMeshBuilder m_builder;
};

// Faces wound counter-clockwise seen from the front and from behind, walls all round
// facing out of the glyph, and for the clock's characters (where no contours overlap, as
// a cedilla does its letter) the filled area that of the outline, holes left open.
TEST_F(DejaVuSans, EveryCharacterIsASolidFacingOutward) {
    for (int code = 0x20; code < 0x100; code += code == 0x7E ? 0x23 : 1) { // skip 7F to A0
        SCOPED_TRACE(code);
        const GlyphOutline outline = m_font->Outline(static_cast<unsigned char>(code), 0.01);
        const GlyphMesh mesh = m_builder.Build(outline, kDepth);
        EXPECT_GT(mesh.advance, 0.0f);
        EXPECT_EQ(mesh.front.empty(), code == ' ');
        ASSERT_EQ(mesh.back.size(), mesh.front.size());
        double faces = 0.0, contours = 0.0, walls = 0.0, wallCorners = 0.0;
        int wrongTriangles = 0;
        for (size_t t = 0; t < mesh.front.size(); t += 3) {
            faces += Cross(mesh.front[t], mesh.front[t + 1], mesh.front[t + 2]) / 2;
            wrongTriangles += Cross(mesh.front[t], mesh.front[t + 1], mesh.front[t + 2]) < 0 ||
                              Cross(mesh.back[t], mesh.back[t + 1], mesh.back[t + 2]) > 0 ||
                              mesh.front[t].z != 0.0f || mesh.back[t].z != -kDepth;
        }
        EXPECT_EQ(wrongTriangles, 0) << "of " << mesh.front.size() / 3;
        for (const Contour& c : outline.contours) {
            contours += SignedArea2(c) / 2;
        }
        // With outward normals n all round, the sum of (n . midpoint) * length over the walls
        // is twice the filled area (the divergence theorem): for the given normals, and for
        // those of the corners, which run counter-clockwise seen from outside.
        for (const SideQuad& quad : mesh.sides) {
            const Vec3 &a = quad.corners[0], &b = quad.corners[1], &c = quad.corners[2];
            const double x = (a.x + c.x) / 2.0, y = (a.y + c.y) / 2.0;
            walls += (quad.normal.x * x + quad.normal.y * y) * std::hypot(c.x - a.x, c.y - a.y);
            wallCorners += (double(b.y - a.y) * (c.z - a.z) - double(b.z - a.z) * (c.y - a.y)) * x +
                           (double(b.z - a.z) * (c.x - a.x) - double(b.x - a.x) * (c.z - a.z)) * y;
        }
        EXPECT_NEAR(walls, 2 * std::fabs(contours), 1e-5);
        EXPECT_NEAR(wallCorners, 2 * kDepth * std::fabs(contours), 1e-6);
        if (std::isdigit(code) || code == ':') {
            EXPECT_NEAR(faces, std::fabs(contours), 1e-6);
        }
    }
}

TEST_F(DejaVuSans, SizesInEmsAndTheDeviationIsHeeded) {
    // "0" is 1303 units wide and spans (135, -29) to (1167, 1520) of 2048 to the em;
    // flattened curves cut inside the outline by at most the deviation, 4 units.
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
