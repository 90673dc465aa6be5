#pragma once

#include "scene/glyph_mesh.h"

#include <array>
#include <memory>
#include <string>

// A scalable font read with FreeType: advances for fitting the clock text, and the
// outline of every character code 0..255 (read as Latin-1) flattened to a deviation.
namespace glyph {

struct FontFile {
    std::string path;
    int faceIndex = 0;
};

class CGlyphFont {
  public:
    // Null when the file cannot be read or holds no scalable font.
    static std::unique_ptr<CGlyphFont> Open(const FontFile& file);
    ~CGlyphFont();
    CGlyphFont(const CGlyphFont&) = delete;
    CGlyphFont& operator=(const CGlyphFont&) = delete;

    int UnitsPerEm() const { return m_nUnitsPerEm; }
    // Ascent plus descent: the span that a font "of height h pixels" is scaled to.
    int CellUnits() const { return m_nCellUnits; }
    // In font units.
    long Advance(unsigned char code) const { return m_advances[code]; }
    unsigned GlyphIndex(unsigned char code) const { return m_glyphIndices[code]; }
    // The outline in ems, curves flattened so that no point strays more than deviationEm.
    GlyphOutline Outline(unsigned char code, double deviationEm) const;

  private:
    CGlyphFont() = default;
    struct Handles;
    std::unique_ptr<Handles> m_pHandles;
    int m_nUnitsPerEm = 0;
    int m_nCellUnits = 0;
    std::array<long, 256> m_advances{};
    std::array<unsigned, 256> m_glyphIndices{};
};

} // namespace glyph
