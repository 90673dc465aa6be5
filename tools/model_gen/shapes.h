#pragma once

#include "mesh.h"
#include "vec3.h"

#include <vector>

// Points of one cross-section. Rings advance along a solid; the points of each ring wind
// counter-clockwise about the direction of advance, so the lofted skin faces outwards.
using Ring = std::vector<Vec3>;

// Ellipse with semi-axes `ru` along frame.up and `rw` along frame.side at axial position s.
// Angles are measured from up towards side.
Ring EllipseRing(const Frame& frame, double s, double ru, double rw,
                 const std::vector<double>& angles);
// `count` equally spaced angles starting at `phase` (radians).
std::vector<double> EvenAngles(int count, double phase = 0.0);

// Skin between consecutive rings of equal size; `closedLoop` false leaves the seam
// between the last and the first point of each ring open (a strip).
void Loft(Mesh& mesh, const std::vector<Ring>& rings, bool closedLoop = true);
// Closes a ring with a fan to `apex`: the first ring of a loft faces backwards, the last
// forwards. One new point, one triangle per ring point.
void FanStart(Mesh& mesh, const Ring& ring, Vec3 apex);
void FanEnd(Mesh& mesh, const Ring& ring, Vec3 apex);
// Closes a flat convex ring by a fan from its first point: no new point, two triangles
// fewer than the ring has points.
void PolygonStart(Mesh& mesh, const Ring& ring);
void PolygonEnd(Mesh& mesh, const Ring& ring);
// A closed four-sided prism (eight corners, twelve triangles) between two quads that
// wind counter-clockwise about the direction from `near` to `far`.
void Block(Mesh& mesh, const Ring& nearQuad, const Ring& farQuad);

// Fills the flat band between an outer and an inner loop lying in one plane. Both wind
// counter-clockwise seen from the side `normal` points to, and both must be star-shaped
// about `centre`. Adds outer.size() + inner.size() triangles.
void BridgeLoops(Mesh& mesh, const std::vector<Vec3>& outer, const std::vector<Vec3>& inner,
                 Vec3 centre, Vec3 normal);
