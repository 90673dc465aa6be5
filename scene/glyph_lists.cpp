#include "scene/glyph_lists.h"

#include "scene/scene_values.h"

#include <unordered_map>

void EmitGlyphMesh(const glyph::GlyphMesh& mesh) {
    if (!mesh.front.empty()) {
        glBegin(GL_TRIANGLES);
        glNormal3f(0.0f, 0.0f, 1.0f);
        for (const glyph::Vec3& v : mesh.front) {
            glVertex3f(v.x, v.y, v.z);
        }
        glNormal3f(0.0f, 0.0f, -1.0f);
        for (const glyph::Vec3& v : mesh.back) {
            glVertex3f(v.x, v.y, v.z);
        }
        glEnd();
    }
    if (!mesh.sides.empty()) {
        glBegin(GL_QUADS);
        for (const glyph::SideQuad& quad : mesh.sides) {
            glNormal3f(quad.normal.x, quad.normal.y, quad.normal.z);
            for (const glyph::Vec3& v : quad.corners) {
                glVertex3f(v.x, v.y, v.z);
            }
        }
        glEnd();
    }
    glTranslatef(mesh.advance, 0.0f, 0.0f);
}

void CompileGlyphLists(const glyph::CGlyphFont& font, GLuint listBase, double deviationEm,
                       float depth) {
    glyph::CGlyphMeshBuilder builder;
    // Codes without a glyph of their own share the font's missing-glyph shape; build it once.
    std::unordered_map<unsigned, glyph::GlyphMesh> meshes;
    for (int code = 0; code < kGlyphListCount; ++code) {
        const auto c = static_cast<unsigned char>(code);
        auto found = meshes.find(font.GlyphIndex(c));
        if (found == meshes.end()) {
            found =
                meshes
                    .emplace(font.GlyphIndex(c), builder.Build(font.Outline(c, deviationEm), depth))
                    .first;
        }
        glNewList(listBase + static_cast<GLuint>(code), GL_COMPILE);
        EmitGlyphMesh(found->second);
        glEndList();
    }
}
