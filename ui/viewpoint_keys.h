#pragma once

class CGLScene;

// What a key does to the eye: a move of exactly one unit along a world axis, the jump
// home (which also ends the fly-in), or nothing.
struct ViewpointKeyAction {
    enum Kind { None, Move, Home };
    Kind kind = None;
    float dx = 0.0f;
    float dy = 0.0f;
    float dz = 0.0f;
};

// The key table, by Qt key code.
ViewpointKeyAction ViewpointKeyActionFor(int qtKey);

// Applies a key to the scene's eye.
void OnViewpointKey(CGLScene& scene, int qtKey);

// One tick of the fly-in: the next row of the path, while any rows are left.
void StepFlyIn(CGLScene& scene);
