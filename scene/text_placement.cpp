#include "scene/text_placement.h"

#include "scene/glyph_font.h"
#include "scene/model_data.h"
#include "scene/scene_values.h"
#include "scene/viewpoint.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

namespace {

// The plate's part number and the share of its inner ellipse the text may take.
constexpr int kPlatePart = 4;
constexpr double kPlateFill = 0.9;
// Room left beside the text when the view is widened to show it.
constexpr double kShownMargin = 1.15;

constexpr double Radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

// Distance from home to the text's front face (the plane x = 0 through the looked-at point).
constexpr double kHomeDistance = kLookAtX - kHomeEyeX;

} // namespace

TextBox InkBox(const glyph::CGlyphFont& font, std::string_view text) {
    TextBox box{1e9, -1e9, 1e9, -1e9};
    double pen = 0.0;
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        const glyph::GlyphOutline outline = font.Outline(code, 1e-3);
        for (const glyph::Contour& contour : outline.contours) {
            for (const glyph::Vec2& p : contour) {
                box.left = std::min(box.left, pen + p.x);
                box.right = std::max(box.right, pen + p.x);
                box.bottom = std::min(box.bottom, p.y);
                box.top = std::max(box.top, p.y);
            }
        }
        pen += outline.advance;
    }
    return box.left <= box.right ? box : TextBox{};
}

TextBox ClockInkBox(const glyph::CGlyphFont& font) {
    TextBox all{1e9, -1e9, 1e9, -1e9};
    for (char digit = '0'; digit <= '9'; ++digit) {
        const std::string text{digit, digit, ':', digit, digit, ':', digit, digit};
        const TextBox box = InkBox(font, text);
        all = {std::min(all.left, box.left), std::max(all.right, box.right),
               std::min(all.bottom, box.bottom), std::max(all.top, box.top)};
    }
    return all;
}

TextBox PlateBox() {
    // The model pass: scaled, turned about z, tilted about x (applied in that order).
    const double cz = std::cos(Radians(kModelTurnZDegrees));
    const double sz = std::sin(Radians(kModelTurnZDegrees));
    const double cx = std::cos(Radians(kModelTiltXDegrees));
    const double sx = std::sin(Radians(kModelTiltXDegrees));
    TextBox box{1e9, -1e9, 1e9, -1e9};
    for (const ModelTriangle& triangle : ModelPartTriangles(kPlatePart)) {
        for (const auto& v : triangle.vertex) {
            const double x0 = kModelScale * v[0], y0 = kModelScale * v[1];
            const double z0 = kModelScale * v[2];
            const double x1 = cz * x0 - sz * y0, y1 = sz * x0 + cz * y0;
            const double y = cx * y1 - sx * z0, z = sx * y1 + cx * z0;
            // From home onto the face: world z is the text's x, world y its y.
            const double t = kHomeDistance / (x1 - kHomeEyeX);
            const double u = z * t - kTextOffset[0];
            const double w = kHomeEyeY + (y - kHomeEyeY) * t - kTextOffset[1];
            box.left = std::min(box.left, u);
            box.right = std::max(box.right, u);
            box.bottom = std::min(box.bottom, w);
            box.top = std::max(box.top, w);
        }
    }
    return box.left <= box.right ? box : TextBox{};
}

TextPlacement PlaceOnPlate(const TextBox& ink, const TextBox& plate) {
    const double a = (plate.right - plate.left) / 2, b = (plate.top - plate.bottom) / 2;
    const double w = (ink.right - ink.left) / 2, h = (ink.top - ink.bottom) / 2;
    if (a <= 0 || b <= 0 || w <= 0 || h <= 0) {
        return {};
    }
    // The text shrinks about the middle of its ink, which stays where it was: the model
    // stands behind the text there. A box fits the ellipse when its farthest corner does.
    const double mu = (ink.left + ink.right) / 2, mv = (ink.bottom + ink.top) / 2;
    const double du = std::abs(mu - (plate.left + plate.right) / 2);
    const double dv = std::abs(mv - (plate.bottom + plate.top) / 2);
    const auto fits = [&](double scale) {
        return std::hypot((du + scale * w) / a, (dv + scale * h) / b) <= kPlateFill;
    };
    double low = 0.0, high = 1.0;
    if (fits(high)) {
        low = high;
    }
    for (int step = 0; step < 40 && low < high; ++step) {
        const double middle = (low + high) / 2;
        (fits(middle) ? low : high) = middle;
    }
    return {low, mu * (1 - low), mv * (1 - low)};
}

double FieldOfViewFor(double aspect, const TextBox& shown) {
    const double usual = std::tan(Radians(kFieldOfViewDegrees / 2));
    if (!(aspect > 0)) {
        return kFieldOfViewDegrees;
    }
    // The text frame's x = -kTextOffset[0] lies on the line of sight from home.
    const double halfWidth =
        std::max(std::abs(shown.left + kTextOffset[0]), std::abs(shown.right + kTextOffset[0]));
    const double needed = kShownMargin * halfWidth / kHomeDistance / aspect;
    return 2 * std::atan(std::max(usual, needed)) * 180.0 / std::numbers::pi;
}
