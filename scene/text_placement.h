#pragma once

#include <string_view>

namespace glyph {
class CGlyphFont;
}

// Where the clock text stands on the model's blue plate. The text is drawn in its own
// frame (x along the text, y up, units of ems before scaling) whose origin the text pass
// puts at kTextOffset; the plate is measured in that frame as seen from home.
struct TextBox {
    double left = 0.0, right = 0.0, bottom = 0.0, top = 0.0;
};

// Scale and origin of the text in the text frame.
struct TextPlacement {
    double scale = 1.0;
    double x = 0.0;
    double y = 0.0;
};

// The ink of `text` in ems from its start on the baseline.
TextBox InkBox(const glyph::CGlyphFont& font, std::string_view text);

// The ink any clock text may cover: the union over the ten digits in every place, so that
// the text keeps its size and place from one second to the next.
TextBox ClockInkBox(const glyph::CGlyphFont& font);

// The plate (model part 4) seen from home and laid onto the text's front face.
TextBox PlateBox();

// Shrinks the ink about its middle (never enlarges it) so that its whole box lies inside
// the ellipse the plate box bounds.
TextPlacement PlaceOnPlate(const TextBox& ink, const TextBox& plate);

// The vertical field of view in degrees for a view of this aspect (width / height): the
// usual one, widened when the view is too narrow to show `shown` (text frame, from home).
double FieldOfViewFor(double aspect, const TextBox& shown);
