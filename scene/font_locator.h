#pragma once

#include "scene/glyph_font.h"

#include <memory>
#include <vector>

// Where the clock text's font comes from, in order of preference: the font file in the
// working directory when there is one, then what fontconfig offers for the family (its
// fallback, normally the default sans, when the family is not installed).
std::vector<glyph::FontFile> ClockFontCandidates();

// The first candidate that opens; null when none does (the view then shows no text).
std::unique_ptr<glyph::CGlyphFont> OpenClockFont();
