// Beam on supports A and B: force at mid-span (case 1), moment at one end
// (cases 31 and 32).

#include <cmath>

#include "beam/cases.h"
#include "beam/derived.h"

namespace veldra::beam {

using std::pow;
using std::sqrt;

SymmetricSpan forceAtMidSpan(const Inputs& in) {
  const double F = in.F, L = in.L, EI = detail::bendingStiffness(in);
  // The handbook polynomial describes only the left half; the line is symmetric
  // about mid-span, so the right half is the left one seen from B.
  const double xi = detail::relativeCoordinate(in);
  const double s = xi > 0.5 ? 1 - xi : xi;
  return {
      .fm = pow(L, 3) * F / (48 * EI),
      .alphaA = pow(L, 2) * F / (16 * EI),
      .alphaB = pow(L, 2) * F / (16 * EI),
      .w = (pow(L, 3) * F / (48 * EI)) * (3 * s - 4 * pow(s, 3)),
  };
}

EndMoment momentAtA(const Inputs& in) {
  const double F = in.F, L = in.L, EI = detail::bendingStiffness(in);
  const double xi = detail::relativeCoordinate(in);
  return {
      .xf = L / 2,
      .f = L * F * L / (16 * EI),
      .fm = L * F * L / (9 * sqrt(3.0) * EI),
      .xm = L - L / sqrt(3.0),
      .alphaA = L * F / (3 * EI),
      .alphaB = L * F / (6 * EI),
      .w = (L * F * L / (6 * EI)) * (2 * xi - 3 * pow(xi, 2) + pow(xi, 3)),
  };
}

EndMoment momentAtB(const Inputs& in) {
  const double F = in.F, L = in.L, EI = detail::bendingStiffness(in);
  const double xi = detail::relativeCoordinate(in);
  return {
      .xf = L / 2,
      .f = L * F * L / (16 * EI),
      .fm = L * F * L / (9 * sqrt(3.0) * EI),
      .xm = L / sqrt(3.0),
      .alphaA = L * F / (6 * EI),
      .alphaB = L * F / (3 * EI),
      .w = (L * F * L / (6 * EI)) * (xi - pow(xi, 3)),
  };
}

}  // namespace veldra::beam
