#pragma once

#include "engine_design.h"
#include "mesh.h"

#include <vector>

// The two hulls and what joins them. All in ship axes (see placement.h).

// The disc-shaped hull with its bridge dome and deck blocks.
Mesh BuildDiscHull();
// The dish at the front of the second hull, solved to its bounds: centre x, y, z, half
// height, half width, downward tilt (radians).
using DishParams = std::vector<double>;
DishParams InitialDishParams();
Frame DishFrame(const DishParams& p);
Mesh BuildDish(const DishParams& p);
// The elongated second hull below and behind the disc, its nose in the back of the dish,
// with the pylons that carry the two engines (the second sits `engineOffset` from the first).
Mesh BuildSecondHull(const DishParams& dish, const PodParams& pod, Vec3 engineOffset);
// The dark strut joining the disc to the second hull.
Mesh BuildStrut();
