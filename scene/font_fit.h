#pragma once

#include <span>
#include <string_view>
#include <vector>

// Fitting the clock text into the drawing rectangle, measured the way the window system
// measures text: a font "of height h" spans h pixels from ascent to descent (cellUnits
// font units), and each character moves on by its advance rounded to whole pixels.
namespace glyph {

class CGlyphFont;

// Width in pixels of a text whose characters have these advances (font units).
long TextWidthAt(std::span<const long> advances, int cellUnits, int height);

// The greatest height at which the text fits within width x height pixels; 0 when even
// height 1 does not fit. The same result as trying 1, 2, 3, ... until the text spills.
int FitFontHeight(std::span<const long> advances, int cellUnits, int width, int height);

std::vector<long> TextAdvances(const CGlyphFont& font, std::string_view text);

// Pixel height assumed when the fit gave 0 (a font "of height 0" gets a default size).
inline constexpr int kDefaultFontHeight = 16;

// The curve deviation in ems that amounts to `deviationPixels` at font height `height`.
double DeviationInEms(const CGlyphFont& font, int height, double deviationPixels);

} // namespace glyph
