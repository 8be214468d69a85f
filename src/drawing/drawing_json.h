#pragma once

// The drawing as the page reads it: one JSON object.

#include <string>

#include "drawing/drawing.h"

namespace veldra::drawing {

// `d` as JSON, every number to the last bit:
//   case, title, subtitle, status (a StatusEntry's name), notes [{kind, text}],
//   summary, and as far as they are drawn:
//   beam ("span", "cantilever", "overhang"), supports [{kind ("pin",
//   "roller", "clamp"), role, u, name}], ends [{role, u, name}], overhang
//   {from, to, name}, dimensions [{role, from, to, label}], load {kind (a
//   LoadKindNames name), u for a force or moment, else from and to; down;
//   clockwise for a moment; label}, line [[u, v], ...], scale (in words),
//   markers [{role, tag, u, v, labels [{text, shown}]}], and ratio or legend.
[[nodiscard]] std::string toJson(const Drawing& d);

}  // namespace veldra::drawing
