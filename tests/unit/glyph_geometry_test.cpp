// Glyph solids built from a real font's outlines, without a display.
#include "scene/glyph_font.h"
#include "scene/glyph_mesh.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace {

using glyph::CGlyphFont;
using glyph::Contour;
using glyph::GlyphMesh;
using glyph::GlyphOutline;
using glyph::Vec2;
using glyph::Vec3;

constexpr const char* kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr double kEm = 2048.0; // DejaVu Sans units per em
constexpr float kDepth = 0.1f;
constexpr double kDeviation = 0.002; // ems

std::unique_ptr<CGlyphFont> OpenDejaVu() {
    auto font = CGlyphFont::Open({kDejaVuSans, 0});
    EXPECT_NE(font, nullptr) << "fonts-dejavu-core is needed: " << kDejaVuSans;
    return font;
}

double Cross(const Vec3& a, const Vec3& b, const Vec3& c) {
    return double(b.x - a.x) * double(c.y - a.y) - double(b.y - a.y) * double(c.x - a.x);
}

// Whether the point lies inside any of the triangles (three corners each).
bool Covered(const std::vector<Vec3>& triangles, double x, double y) {
    const Vec3 p{float(x), float(y), 0.0f};
    for (size_t t = 0; t + 2 < triangles.size(); t += 3) {
        const double d1 = Cross(triangles[t], triangles[t + 1], p);
        const double d2 = Cross(triangles[t + 1], triangles[t + 2], p);
        const double d3 = Cross(triangles[t + 2], triangles[t], p);
        const bool negative = d1 < 0 || d2 < 0 || d3 < 0;
        const bool positive = d1 > 0 || d2 > 0 || d3 > 0;
        if (!(negative && positive)) {
            return true;
        }
    }
    return false;
}

double TrianglesArea(const std::vector<Vec3>& triangles) {
    double area = 0.0;
    for (size_t t = 0; t + 2 < triangles.size(); t += 3) {
        area += std::fabs(Cross(triangles[t], triangles[t + 1], triangles[t + 2])) / 2.0;
    }
    return area;
}

Vec2 Centroid(const Contour& contour) {
    double a = 0.0, cx = 0.0, cy = 0.0;
    for (size_t i = 0; i < contour.size(); ++i) {
        const Vec2& p = contour[i];
        const Vec2& q = contour[(i + 1) % contour.size()];
        const double cross = p.x * q.y - q.x * p.y;
        a += cross;
        cx += (p.x + q.x) * cross;
        cy += (p.y + q.y) * cross;
    }
    return {cx / (3.0 * a), cy / (3.0 * a)};
}

struct Known {
    char code;
    double advance, xMin, yMin, xMax, yMax; // font units, from the font's own tables
    int holes;
};

// DejaVu Sans 2.37 (Debian 12): digits share one advance; "4" has a triangular hole.
const Known kKnown[] = {
    {'0', 1303, 135, -29, 1167, 1520, 1}, {'1', 1303, 225, 0, 1114, 1493, 0},
    {'2', 1303, 150, 0, 1098, 1520, 0},   {'3', 1303, 156, -29, 1139, 1520, 0},
    {'4', 1303, 100, 0, 1188, 1493, 1},   {'5', 1303, 158, -29, 1124, 1493, 0},
    {'6', 1303, 143, -29, 1174, 1520, 1}, {'7', 1303, 168, 0, 1128, 1493, 0},
    {'8', 1303, 139, -29, 1163, 1520, 2}, {'9', 1303, 129, -29, 1159, 1520, 1},
    {':', 690, 240, 0, 451, 1059, 0},
};

class GlyphGeometry : public testing::Test {
  protected:
    void SetUp() override {
        m_font = OpenDejaVu();
        ASSERT_NE(m_font, nullptr);
    }
    GlyphOutline Outline(char code, double deviation = kDeviation) const {
        return m_font->Outline(static_cast<unsigned char>(code), deviation);
    }
    GlyphMesh Mesh(char code) { return m_builder.Build(Outline(code), kDepth); }

    std::unique_ptr<CGlyphFont> m_font;
    glyph::CGlyphMeshBuilder m_builder;
};

TEST_F(GlyphGeometry, BoundingBoxAndAdvanceInEms) {
    for (const Known& k : kKnown) {
        SCOPED_TRACE(std::string(1, k.code));
        const GlyphMesh mesh = Mesh(k.code);
        EXPECT_FLOAT_EQ(mesh.advance, float(k.advance / kEm));
        ASSERT_FALSE(mesh.front.empty());
        float xMin = 1e9f, yMin = 1e9f, xMax = -1e9f, yMax = -1e9f;
        for (const Vec3& v : mesh.front) {
            xMin = std::min(xMin, v.x);
            yMin = std::min(yMin, v.y);
            xMax = std::max(xMax, v.x);
            yMax = std::max(yMax, v.y);
        }
        // Flattened curves cut inside the true outline by at most the deviation.
        const double slack = kDeviation + 1e-5;
        EXPECT_NEAR(xMin, k.xMin / kEm, slack);
        EXPECT_NEAR(yMin, k.yMin / kEm, slack);
        EXPECT_NEAR(xMax, k.xMax / kEm, slack);
        EXPECT_NEAR(yMax, k.yMax / kEm, slack);
    }
}

TEST_F(GlyphGeometry, FrontFacesAtZeroFacingUpAndBackFacesAtDepthFacingDown) {
    for (const Known& k : kKnown) {
        SCOPED_TRACE(std::string(1, k.code));
        const GlyphMesh mesh = Mesh(k.code);
        ASSERT_EQ(mesh.front.size() % 3, 0u);
        ASSERT_EQ(mesh.back.size(), mesh.front.size());
        for (size_t t = 0; t < mesh.front.size(); t += 3) {
            for (size_t i = t; i < t + 3; ++i) {
                EXPECT_EQ(mesh.front[i].z, 0.0f);
                EXPECT_EQ(mesh.back[i].z, -kDepth);
            }
            // Counter-clockwise seen from +z in front, from -z behind.
            EXPECT_GE(Cross(mesh.front[t], mesh.front[t + 1], mesh.front[t + 2]), 0.0);
            EXPECT_LE(Cross(mesh.back[t], mesh.back[t + 1], mesh.back[t + 2]), 0.0);
        }
        EXPECT_NEAR(TrianglesArea(mesh.front), TrianglesArea(mesh.back), 1e-9);
    }
}

TEST_F(GlyphGeometry, SideWallsJoinTheFacesWithOutwardNormals) {
    for (const Known& k : kKnown) {
        SCOPED_TRACE(std::string(1, k.code));
        const GlyphOutline outline = Outline(k.code);
        const GlyphMesh mesh = m_builder.Build(outline, kDepth);
        size_t edges = 0;
        for (const Contour& c : outline.contours) {
            edges += c.size();
        }
        ASSERT_EQ(mesh.sides.size(), edges);
        for (const glyph::SideQuad& quad : mesh.sides) {
            EXPECT_EQ(quad.normal.z, 0.0f);
            EXPECT_NEAR(std::hypot(quad.normal.x, quad.normal.y), 1.0, 1e-6);
            int atFront = 0, atBack = 0;
            for (const Vec3& v : quad.corners) {
                atFront += v.z == 0.0f;
                atBack += v.z == -kDepth;
            }
            EXPECT_EQ(atFront, 2);
            EXPECT_EQ(atBack, 2);
            // Corners counter-clockwise seen from outside: their normal is the given one.
            const Vec3& a = quad.corners[0];
            const Vec3& b = quad.corners[1];
            const Vec3& c = quad.corners[2];
            const double nx = double(b.y - a.y) * (c.z - a.z) - double(b.z - a.z) * (c.y - a.y);
            const double ny = double(b.z - a.z) * (c.x - a.x) - double(b.x - a.x) * (c.z - a.z);
            EXPECT_GT(nx * quad.normal.x + ny * quad.normal.y, 0.0);
            // Just outside the wall is empty, just inside is filled.
            const double mx = (quad.corners[0].x + quad.corners[2].x) / 2.0;
            const double my = (quad.corners[0].y + quad.corners[2].y) / 2.0;
            const double step = 1e-4;
            EXPECT_FALSE(Covered(mesh.front, mx + step * quad.normal.x, my + step * quad.normal.y));
            EXPECT_TRUE(Covered(mesh.front, mx - step * quad.normal.x, my - step * quad.normal.y));
        }
    }
}

TEST_F(GlyphGeometry, HolesStayOpen) {
    for (const Known& k : kKnown) {
        SCOPED_TRACE(std::string(1, k.code));
        const GlyphOutline outline = Outline(k.code);
        const GlyphMesh mesh = m_builder.Build(outline, kDepth);
        // Filled area = outer areas minus holes, which is the net signed area.
        double net = 0.0;
        int holes = 0;
        for (const Contour& c : outline.contours) {
            const double area = glyph::SignedArea2(c) / 2.0;
            net += area;
            // TrueType: outer contours clockwise (negative), holes the other way.
            if (area > 0) {
                ++holes;
                const Vec2 centre = Centroid(c);
                EXPECT_FALSE(Covered(mesh.front, centre.x, centre.y));
                EXPECT_FALSE(Covered(mesh.back, centre.x, centre.y));
            }
        }
        EXPECT_EQ(holes, k.holes);
        EXPECT_NEAR(TrianglesArea(mesh.front), std::fabs(net), 1e-6);
    }
    // A ray along z through the middle of "0" meets no face.
    const Known& zero = kKnown[0];
    const double cx = (zero.xMin + zero.xMax) / 2.0 / kEm;
    const double cy = (zero.yMin + zero.yMax) / 2.0 / kEm;
    const GlyphMesh mesh = Mesh('0');
    EXPECT_FALSE(Covered(mesh.front, cx, cy));
    EXPECT_FALSE(Covered(mesh.back, cx, cy));
}

TEST_F(GlyphGeometry, SmallerDeviationNeverGivesFewerVertices) {
    const double deviations[] = {0.5, 0.1, 0.05, 0.02, 0.01, 0.005, 0.002, 0.001, 0.0002};
    for (const Known& k : kKnown) {
        SCOPED_TRACE(std::string(1, k.code));
        size_t previous = 0;
        for (double deviation : deviations) {
            size_t points = 0;
            for (const Contour& c : Outline(k.code, deviation).contours) {
                points += c.size();
            }
            EXPECT_GE(points, previous) << deviation;
            previous = points;
        }
    }
    auto count = [&](double deviation) {
        size_t points = 0;
        for (const Contour& c : Outline('0', deviation).contours) {
            points += c.size();
        }
        return points;
    };
    EXPECT_GT(count(0.001), 2 * count(0.05));
}

TEST_F(GlyphGeometry, EveryPrintableCharacterBecomesASolid) {
    for (int code = 0x21; code < 0x100; ++code) {
        if (code >= 0x7F && code <= 0xA0) {
            continue; // controls and the no-break space
        }
        SCOPED_TRACE(code);
        const GlyphMesh mesh =
            m_builder.Build(m_font->Outline(static_cast<unsigned char>(code), 0.01), kDepth);
        EXPECT_FALSE(mesh.front.empty());
        EXPECT_FALSE(mesh.sides.empty());
        EXPECT_GT(mesh.advance, 0.0f);
    }
    // A space has an advance and nothing to draw.
    const GlyphMesh space = m_builder.Build(m_font->Outline(' ', 0.01), kDepth);
    EXPECT_TRUE(space.front.empty());
    EXPECT_TRUE(space.sides.empty());
    EXPECT_GT(space.advance, 0.0f);
}

TEST(GlyphFont, UnreadableFilesOpenNothing) {
    EXPECT_EQ(CGlyphFont::Open({"/nonexistent/Federation.ttf", 0}), nullptr);
    EXPECT_EQ(CGlyphFont::Open({"/etc/hostname", 0}), nullptr);
}

TEST(GlyphFont, CellHeightIsAscentPlusDescent) {
    auto font = OpenDejaVu();
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->UnitsPerEm(), 2048);
    EXPECT_EQ(font->CellUnits(), 1901 + 483);
}

} // namespace
