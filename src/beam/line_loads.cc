// Beam on supports A and B under a line load over the whole span: uniform
// (case 4) or triangular, rising from A to B (case 5).

#include <cmath>

#include "beam/cases.h"
#include "beam/derived.h"

namespace veldra::beam {

using std::pow;

SymmetricSpan uniformLoad(const Inputs& in) {
  const double F = in.F, L = in.L, EI = detail::bendingStiffness(in);
  const double xi = detail::relativeCoordinate(in);
  return {
      .fm = 5 * F * pow(L, 4) / (384 * EI),
      .alphaA = pow(L, 3) * F / (24 * EI),
      .alphaB = pow(L, 3) * F / (24 * EI),
      .w = (pow(L, 4) * F / (24 * EI)) * (xi - 2 * pow(xi, 3) + pow(xi, 4)),
  };
}

TriangularSpan triangularLoad(const Inputs& in) {
  const double F = in.F, L = in.L, EI = detail::bendingStiffness(in);
  const double xi = detail::relativeCoordinate(in);
  return {
      // Handbook roundings of L^4 q / 153.38 EI at 0.5193 L; kept as printed
      // in the tables engineers check against.
      .fm = pow(L, 4) * F / (153.3 * EI),
      .xm = 0.519 * L,
      .alphaA = 7 * F * pow(L, 3) / (360 * EI),
      .alphaB = 8 * F * pow(L, 3) / (360 * EI),
      .w = (pow(L, 4) * F / (360 * EI)) * (7 * xi - 10 * pow(xi, 3) + 3 * pow(xi, 5)),
  };
}

}  // namespace veldra::beam
