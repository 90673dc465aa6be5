// Fitting the clock text to the drawing rectangle.
#include "scene/font_fit.h"

#include <gtest/gtest.h>

// The fit, found by bisection, is the height that counting up 1, 2, 3, ... would reach.
TEST(FontFit, BisectionGivesTheCountedHeight) {
    const std::vector<long> monospaced{1303, 1303, 690, 1303, 1303, 690, 1303, 1303};
    const std::vector<long> narrowOnes{600, 600, 690, 600, 600, 690, 1303, 600};
    for (const std::vector<long>* advances : {&monospaced, &narrowOnes}) {
        for (int cell : {1000, 2384}) {
            for (int width : {-5, 0, 3, 7, 40, 499, 500, 1279, 1280, 5000}) {
                for (int height : {-30, 0, 1, 10, 259, 1004, 3000}) {
                    int counted = 0;
                    while (counted < height &&
                           glyph::TextWidthAt(*advances, cell, counted + 1) <= width) {
                        ++counted;
                    }
                    EXPECT_EQ(glyph::FitFontHeight(*advances, cell, width, height), counted)
                        << cell << " " << width << "x" << height;
                }
            }
        }
    }
    // 1303 / 2384 units at 129 px: 70.5 -> 71 per digit; 690 -> 37.3 -> 37 per colon.
    EXPECT_EQ(glyph::TextWidthAt(monospaced, 2384, 129), 6 * 71 + 2 * 37);
}
