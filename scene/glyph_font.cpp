#include "scene/glyph_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

namespace glyph {

struct CGlyphFont::Handles {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~Handles() {
        if (face) {
            FT_Done_Face(face);
        }
        if (library) {
            FT_Done_FreeType(library);
        }
    }
};

namespace {

constexpr FT_Int32 kLoadFlags = FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP;

// Collects FreeType's outline walk as flattened contours in ems.
struct Walk {
    double scale = 1.0; // ems per font unit
    double deviation = 1.0;
    std::vector<Contour> contours;
    Vec2 pen;

    Vec2 Em(const FT_Vector* v) const {
        return {static_cast<double>(v->x) * scale, static_cast<double>(v->y) * scale};
    }
};

int MoveTo(const FT_Vector* to, void* user) {
    auto* walk = static_cast<Walk*>(user);
    walk->pen = walk->Em(to);
    walk->contours.push_back({walk->pen});
    return 0;
}

int LineTo(const FT_Vector* to, void* user) {
    auto* walk = static_cast<Walk*>(user);
    walk->pen = walk->Em(to);
    walk->contours.back().push_back(walk->pen);
    return 0;
}

int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
    auto* walk = static_cast<Walk*>(user);
    const Vec2 end = walk->Em(to);
    AppendQuadratic(walk->contours.back(), walk->pen, walk->Em(control), end, walk->deviation);
    walk->pen = end;
    return 0;
}

int CubicTo(const FT_Vector* control1, const FT_Vector* control2, const FT_Vector* to, void* user) {
    auto* walk = static_cast<Walk*>(user);
    const Vec2 end = walk->Em(to);
    AppendCubic(walk->contours.back(), walk->pen, walk->Em(control1), walk->Em(control2), end,
                walk->deviation);
    walk->pen = end;
    return 0;
}

int CellUnitsOf(FT_Face face) {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        return os2->usWinAscent + os2->usWinDescent;
    }
    if (face->ascender - face->descender > 0) {
        return face->ascender - face->descender;
    }
    return face->units_per_EM;
}

} // namespace

std::unique_ptr<CGlyphFont> CGlyphFont::Open(const FontFile& file) {
    std::unique_ptr<CGlyphFont> font(new CGlyphFont);
    font->m_pHandles = std::make_unique<Handles>();
    Handles& h = *font->m_pHandles;
    if (FT_Init_FreeType(&h.library) != 0 ||
        FT_New_Face(h.library, file.path.c_str(), file.faceIndex, &h.face) != 0 ||
        !FT_IS_SCALABLE(h.face) || h.face->units_per_EM == 0) {
        return nullptr;
    }
    FT_Select_Charmap(h.face, FT_ENCODING_UNICODE);
    font->m_nUnitsPerEm = h.face->units_per_EM;
    font->m_nCellUnits = CellUnitsOf(h.face);
    for (unsigned code = 0; code < 256; ++code) {
        // Latin-1 codes are the first 256 Unicode code points.
        const FT_UInt index = FT_Get_Char_Index(h.face, code);
        font->m_glyphIndices[code] = index;
        if (FT_Load_Glyph(h.face, index, kLoadFlags) == 0) {
            font->m_advances[code] = h.face->glyph->advance.x;
        }
    }
    return font;
}

CGlyphFont::~CGlyphFont() = default;

GlyphOutline CGlyphFont::Outline(unsigned char code, double deviationEm) const {
    GlyphOutline result;
    result.advance = static_cast<double>(m_advances[code]) / m_nUnitsPerEm;
    FT_Face face = m_pHandles->face;
    if (FT_Load_Glyph(face, m_glyphIndices[code], kLoadFlags) != 0 ||
        face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
        return result;
    }
    FT_Outline& outline = face->glyph->outline;
    result.evenOdd = (outline.flags & FT_OUTLINE_EVEN_ODD_FILL) != 0;

    Walk walk;
    walk.scale = 1.0 / m_nUnitsPerEm;
    walk.deviation = deviationEm;
    FT_Outline_Funcs funcs{};
    funcs.move_to = MoveTo;
    funcs.line_to = LineTo;
    funcs.conic_to = ConicTo;
    funcs.cubic_to = CubicTo;
    if (FT_Outline_Decompose(&outline, &funcs, &walk) != 0) {
        return result;
    }
    for (Contour& contour : walk.contours) {
        TidyContour(contour);
    }
    result.contours = std::move(walk.contours);
    return result;
}

} // namespace glyph
