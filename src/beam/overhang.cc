// Beam on supports A and B with an overhang of length a beyond B to its free
// end C, loaded on the overhang only (cases 11 and 12). The load lifts the span:
// its deflection line is negative, largest in size at L / sqrt(3).

#include <cmath>

#include "beam/cases.h"
#include "beam/derived.h"

namespace veldra::beam {

using std::pow;
using std::sqrt;

Overhang overhangForce(const Inputs& in) {
  const double F = in.F, L = in.L, a = in.a, xq = in.xq;
  const double EI = detail::bendingStiffness(in);
  const double xi = detail::relativeCoordinate(in);
  return {
      .f = a * F * a * (a + L) / (3 * EI),
      .fm = a * F * L * L / (9 * sqrt(3.0) * EI),
      .xm = L / sqrt(3.0),
      .alpha = a * F * (2 * L + 3 * a) / (6 * EI),
      .alphaA = a * F * L / (6 * EI),
      .alphaB = a * F * L / (3 * EI),
      .w = (-F * a * L * L / (6 * EI)) * (xi - pow(xi, 3)),
      .wq = (pow(a, 3) * F / (6 * EI)) * (2 * L / a * xq / a + 3 * pow(xq / a, 2) - pow(xq / a, 3)),
  };
}

Overhang overhangUniformLoad(const Inputs& in) {
  const double F = in.F, L = in.L, a = in.a, xq = in.xq;
  const double EI = detail::bendingStiffness(in);
  const double xi = detail::relativeCoordinate(in);
  return {
      .f = pow(a, 3) * F * (4 * L + 3 * a) / (24 * EI),
      .fm = a * F * a * L * L / (18 * sqrt(3.0) * EI),
      .xm = L / sqrt(3.0),
      .alpha = a * F * a * (a + L) / (6 * EI),
      .alphaA = a * F * a * L / (12 * EI),
      .alphaB = a * F * a * L / (6 * EI),
      .w = (-F * a * a * L * L / (12 * EI)) * (xi - pow(xi, 3)),
      .wq = (pow(a, 4) * F / (24 * EI)) *
            (4 * L / a * xq / a + 6 * pow(xq / a, 2) - 4 * pow(xq / a, 3) + pow(xq / a, 4)),
  };
}

}  // namespace veldra::beam
