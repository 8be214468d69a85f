#pragma once

#include "beam/cases.h"

namespace veldra::beam::detail {

// The relative coordinate xi = x / L, formed once each time a case is worked
// out: once for a report, and once for each point of a sampled line. Most
// deflection lines are written in it; case 2's pieces and the line on an
// overhang use x, xq and a as they are besides.
inline double relativeCoordinate(const Inputs& in) { return in.x / in.L; }

// The bending stiffness EI, formed as Iy * E.
inline double bendingStiffness(const Inputs& in) { return in.Iy * in.E; }

}  // namespace veldra::beam::detail
