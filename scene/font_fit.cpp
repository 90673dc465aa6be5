#include "scene/font_fit.h"

#include "scene/glyph_font.h"

namespace glyph {

long TextWidthAt(std::span<const long> advances, int cellUnits, int height) {
    if (cellUnits <= 0) {
        return 0;
    }
    const long long cell = cellUnits;
    long long width = 0;
    for (long advance : advances) {
        // Rounded half up, in integers so that the width never shrinks as height grows.
        width += (2LL * advance * height + cell) / (2LL * cell);
    }
    return static_cast<long>(width);
}

int FitFontHeight(std::span<const long> advances, int cellUnits, int width, int height) {
    if (height < 1 || width < 0) {
        return 0;
    }
    // Invariant: fits(low), !fits(high). Height h fits when h <= height and the width fits;
    // both grow with h, so the answer is where they first fail.
    int low = 0;
    int high = height + 1;
    while (high - low > 1) {
        const int middle = low + (high - low) / 2;
        if (TextWidthAt(advances, cellUnits, middle) <= width) {
            low = middle;
        } else {
            high = middle;
        }
    }
    return low;
}

std::vector<long> TextAdvances(const CGlyphFont& font, std::string_view text) {
    std::vector<long> advances;
    advances.reserve(text.size());
    for (char c : text) {
        advances.push_back(font.Advance(static_cast<unsigned char>(c)));
    }
    return advances;
}

double DeviationInEms(const CGlyphFont& font, int height, double deviationPixels) {
    const int pixels = height > 0 ? height : kDefaultFontHeight;
    // One pixel is cellUnits / pixels font units.
    return deviationPixels * font.CellUnits() / (static_cast<double>(pixels) * font.UnitsPerEm());
}

} // namespace glyph
