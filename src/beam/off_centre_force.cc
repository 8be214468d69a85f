// Beam on supports A and B with a force F at the distance a from A (case 2):
// the deflection line has one piece on each side of the force.

#include <cmath>

#include "beam/cases.h"
#include "beam/derived.h"

namespace veldra::beam {

using std::pow;
using std::sqrt;

OffCentreForce forceOffCentre(const Inputs& in) {
  const double F = in.F, L = in.L, a = in.a, x = in.x;
  const double EI = detail::bendingStiffness(in);
  const double xi = detail::relativeCoordinate(in);
  const double b = L - a;

  OffCentreForce r{};
  if (a >= x) {
    r.wI = (a * F * b * b / (6 * EI)) * ((L / b + 1) * xi - pow(x, 3) / (b * a * L));
  }
  if (a <= x) {
    r.wII = (a * F * a * b / (6 * EI)) * ((L / a + 1) * (L - x) / L - pow(L - x, 3) / (b * a * L));
  }
  r.alphaA = a * F * b * (b + L) / (6 * EI * L);
  r.alphaB = a * F * b * (a + L) / (6 * EI * L);
  r.f = a * F * a * b * b / (3 * EI * L);
  // The largest deflection lies in the longer piece, between the force and the
  // farther support.
  if (b < a) {
    r.fm = b * F * sqrt(pow(L * L - b * b, 3)) / (9 * sqrt(3.0) * EI * L);
    r.xm = sqrt((L * L - b * b) / 3);
  } else {
    r.fm = a * F * sqrt(pow(L * L - a * a, 3)) / (9 * sqrt(3.0) * EI * L);
    r.xm = L - sqrt((L * L - a * a) / 3);
  }
  return r;
}

}  // namespace veldra::beam
