#pragma once

// What the drawing beside the browser page's terminal shows of a load case:
// the beam and its supports, the load, the sampled deflection line and markers
// labelled with the lines that key g prints. The page's script only draws it.

#include <cstdint>
#include <string>

#include "beam/cases.h"

namespace veldra::app {

// The drawing of case Nr for the beam `in`, as one JSON object:
//   case, status ("sampled", "no-case", "no-span", "force-off-span",
//   "force-on-support",
//   "not-finite"), beam ("span", "cantilever", "overhang"), L, a, sign (of F),
//   load {kind: "force", "moment", "uniform", "rising", "falling"; at, or from
//   and to, measured from A along the whole beam}, and, when sampled, points
//   [[at, w], ...] (`points` of them), extreme [at, w], exaggeration (how many
//   times larger than the beam's length scale the line is drawn: 1, 2 or 5
//   times a power of ten, so that the largest deflection shows as about an
//   eighth of the beam's length, below 1 for a line that large; 1 for a
//   straight line), markers [{role: "x",
//   "xq", "xm", "f"; at; w; labels: [text, ...]}]. A marker's labels are result
//   lines of key g for these values, blanks folded; its position is read from
//   them, so it stands where its numbers say.
std::string drawingJson(std::int32_t Nr, const beam::Inputs& in, int points);

}  // namespace veldra::app
