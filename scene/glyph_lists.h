#pragma once

#include "scene/glyph_font.h"

#include <GL/gl.h>

// Compiles one display list per character code 0..255 at listBase + code: the glyph as a
// solid of the given depth, then a move along x by its advance. Needs a current context.
void CompileGlyphLists(const glyph::CGlyphFont& font, GLuint listBase, double deviationEm,
                       float depth);

// Issues the drawing calls for one glyph solid (into the list being compiled).
void EmitGlyphMesh(const glyph::GlyphMesh& mesh);
