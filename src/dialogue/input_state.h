#pragma once

#include <cstdint>

namespace veldra::dialogue {

// Everything the user has entered, held for the length of the run. All zero at
// start; each command changes only its own fields.
struct InputState {
  std::int32_t Nr = 0;  // load case number; may hold a number that names no case
  double F = 0.0;       // the load: force, moment or line load intensity
  double L = 0.0;       // span or cantilever length
  double E = 0.0;       // modulus of elasticity
  double Iy = 0.0;      // second moment of area
  double a = 0.0;       // force position (case 2) or overhang length (11, 12)
  double x = 0.0;       // coordinate of the deflection line
  double xq = 0.0;      // coordinate on the overhang, from B (cases 11, 12)
};

}  // namespace veldra::dialogue
