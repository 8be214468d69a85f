#include "beam/fixed.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace veldra::beam {

std::string fixed(double v) {
  if (std::isnan(v)) return std::signbit(v) ? "-nan" : "nan";
  if (std::isinf(v)) return v < 0 ? "-inf" : "inf";
  // The largest finite double has 309 integer digits; with sign, point and six
  // decimals it needs 317 characters.
  std::array<char, 320> text{};
  const int n = std::snprintf(text.data(), text.size(), "%f", v);
  return {text.data(), static_cast<std::size_t>(n)};
}

}  // namespace veldra::beam
