#pragma once

#include <cstdint>

#include "beam/cases.h"

namespace veldra::dialogue {

// Everything the user has entered, held for the length of the run. All zero at
// start; each command changes only its own fields.
struct InputState {
  std::int32_t Nr = 0;  // load case number; may hold a number that names no case
  beam::Inputs beam;    // F, L, E, Iy, a, x and xq, as the load cases take them
};

}  // namespace veldra::dialogue
