#pragma once

#include <array>

// Every fixed value of the 3D view: font, text, glyph solids, projection, light,
// the two drawing passes and their materials.

// The clock text's font: this file in the working directory, else this family.
inline constexpr const char* kClockFontFile = "Federation.ttf";
inline constexpr const char* kClockFontFamily = "Federation";

// The clock text: the local time of day, 24-hour, two digits each.
inline constexpr const char* kClockTextFormat = "%H:%M:%S";

// Glyph solids: one display list per character code, extruded along -z.
inline constexpr int kGlyphListCount = 256;
inline constexpr float kGlyphExtrusion = 0.1f;
// Largest distance of a flattened curve from the true outline, in pixels at the fitted height.
inline constexpr double kGlyphDeviationPixels = 1.0;

// Samples per pixel for smooth edges.
inline constexpr int kSmoothSamples = 4;

// Projection.
inline constexpr double kFieldOfViewDegrees = 18.0;
inline constexpr double kNearPlane = 1.0;
inline constexpr double kFarPlane = 500.0;

using Rgba = std::array<float, 4>;

// Light 0, positioned in eye coordinates (it moves with the camera).
inline constexpr Rgba kLightAmbient = {0.75f, 0.75f, 0.75f, 1.0f};
inline constexpr Rgba kLightPosition = {0.0f, -2.5f, 0.0f, 1.0f};
inline constexpr Rgba kLightDiffuse = {0.75f, 0.75f, 0.75f, 1.0f};
inline constexpr Rgba kLightSpecular = {0.75f, 0.75f, 0.75f, 1.0f};

struct SceneMaterial {
    Rgba ambient;
    Rgba diffuse;
};

// Text pass: turns the text's +x onto world +z and puts its start at (0, -2.5, -2.5).
inline constexpr float kTextTurnDegrees = -90.0f;
inline constexpr std::array<float, 3> kTextOffset = {-2.5f, -2.5f, 0.0f};
inline constexpr SceneMaterial kTextMaterial = {{0.5f, 0.5f, 0.5f, 1.0f}, {0.5f, 0.5f, 0.5f, 1.0f}};

// Model pass: tilted 30 degrees about x after 20 about z, at a twentieth of its size.
inline constexpr float kModelTiltXDegrees = 30.0f;
inline constexpr float kModelTurnZDegrees = 20.0f;
inline constexpr float kModelScale = 0.05f;

struct ModelPartPass {
    int part;
    SceneMaterial material;
};

namespace scene_material {
inline constexpr SceneMaterial kRed = {{0.1f, 0.0f, 0.0f, 1.0f}, {1.0f, 0.0f, 0.0f, 1.0f}};
// Parts 1 and 3 have no blue and a low alpha in their ambient, unlike part 4.
inline constexpr SceneMaterial kBlueDim = {{0.03f, 0.03f, 0.0f, 0.1f}, {0.3f, 0.3f, 1.0f, 1.0f}};
inline constexpr SceneMaterial kBlue = {{0.03f, 0.03f, 0.1f, 1.0f}, {0.3f, 0.3f, 1.0f, 1.0f}};
inline constexpr SceneMaterial kGrey = {{0.08f, 0.08f, 0.08f, 1.0f}, {0.8f, 0.8f, 0.8f, 1.0f}};
inline constexpr SceneMaterial kDarkGrey = {{0.045f, 0.045f, 0.045f, 1.0f},
                                            {0.45f, 0.45f, 0.45f, 1.0f}};
} // namespace scene_material

// The model parts in drawing order (6 before 5).
inline constexpr std::array<ModelPartPass, 10> kModelPasses = {{
    {0, scene_material::kRed},
    {1, scene_material::kBlueDim},
    {2, scene_material::kRed},
    {3, scene_material::kBlueDim},
    {4, scene_material::kBlue},
    {6, scene_material::kGrey},
    {5, scene_material::kGrey},
    {7, scene_material::kDarkGrey},
    {8, scene_material::kGrey},
    {9, scene_material::kGrey},
}};
