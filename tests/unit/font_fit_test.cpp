// Fitting the clock text to the drawing rectangle.
#include "scene/font_fit.h"
#include "scene/glyph_font.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using glyph::FitFontHeight;
using glyph::TextWidthAt;

// The fit as a plain count: 1, 2, 3, ... until the text spills over.
int CountUp(const std::vector<long>& advances, int cell, int width, int height) {
    int h = 1;
    while (h <= height && TextWidthAt(advances, cell, h) <= width) {
        ++h;
    }
    return h - 1;
}

std::vector<long> Advances(const char* text, long digit1, long otherDigit, long colon) {
    std::vector<long> advances;
    for (const char* c = text; *c; ++c) {
        advances.push_back(*c == ':' ? colon : *c == '1' ? digit1 : otherDigit);
    }
    return advances;
}

TEST(FontFit, BisectionGivesTheCountedHeight) {
    const std::vector<long> dejaVu = Advances("12:34:56", 1303, 1303, 690);
    const std::vector<long> proportional = Advances("11:11:11", 600, 1303, 690);
    for (const auto* advances : {&dejaVu, &proportional}) {
        for (int cell : {1000, 2048, 2384}) {
            for (int width : {0, 1, 3, 5, 7, 40, 100, 499, 500, 1279, 1280, 5000}) {
                for (int height : {-30, 0, 1, 2, 10, 100, 259, 1004, 3000}) {
                    SCOPED_TRACE(testing::Message() << cell << " " << width << "x" << height);
                    EXPECT_EQ(FitFontHeight(*advances, cell, width, height),
                              CountUp(*advances, cell, width, height));
                }
            }
        }
    }
}

TEST(FontFit, WidthIsTheSumOfRoundedAdvances) {
    // 1303 / 2384 units at 129 px: 70.5 -> 71 per digit; 690 -> 37.3 -> 37 per colon.
    EXPECT_EQ(TextWidthAt(Advances("12:34:56", 1303, 1303, 690), 2384, 129), 6 * 71 + 2 * 37);
    EXPECT_EQ(TextWidthAt(Advances("12:34:56", 1303, 1303, 690), 2384, 0), 0);
    EXPECT_EQ(TextWidthAt({}, 2384, 100), 0);
}

TEST(FontFit, FollowsTheTextOfTheMoment) {
    // With a narrow "1", a text of ones fits a larger font into the same width.
    const int ones = FitFontHeight(Advances("11:11:11", 600, 1303, 690), 2384, 500, 1000);
    const int zeros = FitFontHeight(Advances("00:00:00", 600, 1303, 690), 2384, 500, 1000);
    EXPECT_GT(ones, zeros);
}

TEST(FontFit, LimitsAndEmptyRectangles) {
    const auto text = Advances("12:34:56", 1303, 1303, 690);
    // Tall and narrow: the width decides; wide and low: the height decides.
    EXPECT_EQ(FitFontHeight(text, 2384, 500, 1000), 129);
    EXPECT_EQ(FitFontHeight(text, 2384, 5000, 80), 80);
    // Nothing fits: 0, which stands for the default height.
    EXPECT_EQ(FitFontHeight(text, 2384, 3, 100), 0);
    EXPECT_EQ(FitFontHeight(text, 2384, 500, 0), 0);
    EXPECT_EQ(FitFontHeight(text, 2384, -5, -5), 0);
}

TEST(FontFit, DeviationIsOnePixelAtTheFittedHeight) {
    auto font = glyph::CGlyphFont::Open({"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 0});
    ASSERT_NE(font, nullptr);
    EXPECT_DOUBLE_EQ(glyph::DeviationInEms(*font, 129, 1.0), 2384.0 / (129.0 * 2048.0));
    // A larger window, a finer outline.
    EXPECT_LT(glyph::DeviationInEms(*font, 331, 1.0), glyph::DeviationInEms(*font, 129, 1.0));
    // Height 0 stands for the default height.
    EXPECT_DOUBLE_EQ(glyph::DeviationInEms(*font, 0, 1.0),
                     glyph::DeviationInEms(*font, glyph::kDefaultFontHeight, 1.0));
}

} // namespace
