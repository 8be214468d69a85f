#include "drawing/scale.h"

#include <cmath>

namespace veldra::drawing {

Exaggeration exaggeration(double length, double largest) {
  const double wanted = std::log10(length) - std::log10(8.0) - std::log10(largest);
  auto decade = static_cast<int>(std::floor(wanted));
  double mantissa = std::pow(10.0, wanted - decade);
  if (mantissa >= 10) mantissa /= 10, ++decade;
  const int m = mantissa >= 5 ? 5 : mantissa >= 2 ? 2 : 1;
  return {m, decade, m / (8 * mantissa)};
}

}  // namespace veldra::drawing
