#pragma once

#include "mesh.h"
#include "targets.h"
#include "vec3.h"

#include <array>
#include <functional>
#include <vector>

// The ship is designed upright: +x towards the stern, +y up, the engines side by side
// along z. The scene turns model coordinates by 20 degrees about z and then 30 degrees
// about x before drawing; the tables hold the ship turned back by the inverse, so that
// the scene shows it upright.
Vec3 ShipToModel(Vec3 ship);
Vec3 ModelToShip(Vec3 model);
Vec3 FixedToModel(const std::array<Fixed, 3>& p);

// The mesh turned from ship axes into model axes.
Mesh ToModel(const Mesh& shipMesh);

struct Bounds {
    std::array<double, 3> lo;
    std::array<double, 3> hi;
};
Bounds ModelBounds(const Mesh& shipMesh);
Bounds TargetBounds(const PartTarget& target);

// Turns a part into model axes and stretches it along each axis so that it spans exactly
// its required bounds. Refuses (throws) when that would visibly distort it: a designed part
// should already come within a few units and a percent.
Mesh StretchToBounds(const Mesh& shipMesh, const PartTarget& target);

// Adjusts `params` so that the model-space bounds of build(params) match the target
// (Gauss-Newton on the six bounds). Returns the largest remaining miss.
using PartBuilder = std::function<Mesh(const std::vector<double>&)>;
double SolveBounds(const PartBuilder& build, std::vector<double>& params, const PartTarget& target);
