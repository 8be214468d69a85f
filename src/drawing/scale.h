#pragma once

// How much the deflection line is exaggerated in the drawing.

namespace veldra::drawing {

// The factor m · 10^decade (m 1, 2 or 5): the largest such factor that draws
// the largest deflection at an eighth of the beam's length at most.
struct Exaggeration {
  int m = 1;
  int decade = 0;
  double drawn = 0;  // the largest deflection as drawn, a fraction of the length
};

// The exaggeration of a line whose largest deflection is `largest` (> 0) on a
// beam `length` long. Worked out in logarithms, so that neither the factor nor
// the drawn values overflow at any magnitude.
[[nodiscard]] Exaggeration exaggeration(double length, double largest);

}  // namespace veldra::drawing
