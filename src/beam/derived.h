#pragma once

#include "beam/cases.h"

namespace veldra::beam::detail {

// The relative coordinate xi = x / L that every deflection line is written in.
inline double relativeCoordinate(const Inputs& in) { return in.x / in.L; }

// The bending stiffness EI, formed as Iy * E.
inline double bendingStiffness(const Inputs& in) { return in.Iy * in.E; }

}  // namespace veldra::beam::detail
