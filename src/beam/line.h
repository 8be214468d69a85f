#pragma once

// The deflection line of a load case over its whole beam, sampled: for a
// drawing, a table or a plot of one's own.

#include <cstdint>
#include <vector>

#include "beam/cases.h"

namespace veldra::beam {

// A point of the deflection line. `at` is measured from A along the whole beam;
// on an overhang (cases 11 and 12) a point at xq beyond B lies at L + xq.
struct LinePoint {
  double at = 0.0;
  double w = 0.0;  // the deflection there, positive the way a positive load acts
};

// Whether a line could be sampled, and if not, why.
enum class LineStatus {
  kSampled,          // points and extreme hold the line
  kNoSuchCase,       // Nr names none of the thirteen cases
  kNoSpan,           // L (or the overhang a of cases 11, 12) is not a positive number
  kForceOffTheSpan,  // case 2 with the force outside the span: a < 0 or a > L
  kForceOnASupport,  // case 2 with the force on A or B (a = 0 or a = L): the case's
                     // formulas divide by a or L - a, and the beam carries it unbent
  kNotFinite,        // the values give infinities or NaNs (zero E or Iy, ...)
};

struct DeflectionLine {
  LineStatus status = LineStatus::kNoSuchCase;
  std::vector<LinePoint> points;  // from A to B (and on to C), in order; empty unless sampled
  LinePoint extreme;              // the sampled point of largest size between A and B
};

// Samples the deflection line of case Nr for the beam `in` (in.x and in.xq are
// not used) at `count` points, at least 3, over the whole beam: evenly from A
// to B, both ends among them, and for an overhang on from B to C, its share of
// the points in proportion to its length, C among them. Every value comes from
// the case's own function, as key g prints it: case 1 mirrored right of
// mid-span, case 2's two pieces on their sides of the force, the span and the
// overhang lines of cases 11 and 12. `extreme` is the point of largest size
// between A and B; on a cantilever, over its length (at the free end A).
[[nodiscard]] DeflectionLine sampleDeflectionLine(std::int32_t Nr, const Inputs& in, int count);

}  // namespace veldra::beam
