// Cantilever clamped at B with its free end at A (cases 6 to 10). x runs from
// the free end, so the deflection line is largest at x = 0 and vanishes at B.

#include <cmath>

#include "beam/cases.h"
#include "beam/derived.h"

namespace veldra::beam {

using std::pow;

Cantilever cantileverForce(const Inputs& in) {
  const double F = in.F, L = in.L, EI = detail::bendingStiffness(in);
  const double xi = detail::relativeCoordinate(in);
  return {
      .f = pow(L, 3) * F / (3 * EI),
      .alphaA = pow(L, 2) * F / (2 * EI),
      .w = (pow(L, 3) * F / (6 * EI)) * (2 - 3 * xi + pow(xi, 3)),
  };
}

Cantilever cantileverMoment(const Inputs& in) {
  const double F = in.F, L = in.L, EI = detail::bendingStiffness(in);
  const double xi = detail::relativeCoordinate(in);
  return {
      .f = pow(L, 2) * F / (2 * EI),
      .alphaA = L * F / EI,
      .w = (pow(L, 2) * F / (2 * EI)) * (1 - 2 * xi + pow(xi, 2)),
  };
}

Cantilever cantileverUniformLoad(const Inputs& in) {
  const double F = in.F, L = in.L, EI = detail::bendingStiffness(in);
  const double xi = detail::relativeCoordinate(in);
  return {
      .f = pow(L, 4) * F / (8 * EI),
      .alphaA = pow(L, 3) * F / (6 * EI),
      .w = (pow(L, 4) * F / (24 * EI)) * (3 - 4 * xi + pow(xi, 4)),
  };
}

Cantilever cantileverRisingLoad(const Inputs& in) {
  const double F = in.F, L = in.L, EI = detail::bendingStiffness(in);
  const double xi = detail::relativeCoordinate(in);
  return {
      .f = pow(L, 4) * F / (30 * EI),
      .alphaA = pow(L, 3) * F / (24 * EI),
      .w = (pow(L, 4) * F / (120 * EI)) * (4 - 5 * xi + pow(xi, 5)),
  };
}

Cantilever cantileverFallingLoad(const Inputs& in) {
  const double F = in.F, L = in.L, EI = detail::bendingStiffness(in);
  const double xi = detail::relativeCoordinate(in);
  return {
      .f = 11 * F * pow(L, 4) / (120 * EI),
      .alphaA = pow(L, 3) * F / (8 * EI),
      .w = (pow(L, 4) * F / (120 * EI)) * (11 - 15 * xi + 5 * pow(xi, 4) - pow(xi, 5)),
  };
}

}  // namespace veldra::beam
