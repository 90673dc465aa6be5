#pragma once

#include "scene/model_list.h"

#include <span>

// One flat-shaded triangle of the backdrop model: its facet normal (unit length, equal to
// -unit((v2 - v1) x (v3 - v1)), so the corners run clockwise seen from the lit side) and
// its three corners in the order they are sent.
struct ModelTriangle {
    float normal[3];
    float vertex[3][3];
};

// The constant table of model part `part` (0..kModelPartCount - 1), generated at build
// time by tools/model_gen; empty for any other number.
std::span<const ModelTriangle> ModelPartTriangles(int part);
