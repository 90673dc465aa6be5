#pragma once

#include "mesh.h"
#include "vec3.h"

#include <vector>

// One engine assembly: the pod, its glowing front cap and the grille along its side. The
// second engine is the same assembly moved sideways.

// Pod parameters, solved so that the pod fills its required bounds: front centre x, y, z,
// length, radius, pitch (radians; positive raises the stern).
using PodParams = std::vector<double>;
PodParams InitialPodParams();
Frame PodFrame(const PodParams& p);
Mesh BuildPod(const PodParams& p);

// The grille is a fluted sleeve round the pod's waist, open in a slit underneath.
// Parameters, solved to its bounds: where it starts behind the pod's front face and ends
// ahead of its rear face, its centre's offset up and across from the pod's axis at the
// front face, its tilt against the pod (rise per unit of length), and a scale of its radius.
using GrilleParams = std::vector<double>;
GrilleParams InitialGrilleParams();
Mesh BuildGrille(const PodParams& pod, const GrilleParams& p);

// The cap is half an ellipsoid standing on the plane of the required first triangle,
// which is the first triangle of its flat underside. Parameters, in the pod's axes: centre
// (along, up, across), half length, half width, height.
using CapParams = std::vector<double>;
CapParams InitialCapParams();
Mesh BuildCap(const PodParams& pod, const CapParams& p);
