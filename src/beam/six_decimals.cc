#include "beam/six_decimals.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace veldra::beam {

std::string sixDecimals(double v) {
  if (std::isnan(v)) return "nan";
  if (std::isinf(v)) return v < 0 ? "-inf" : "inf";
  // The largest finite double has 309 integer digits; with sign, point and six
  // decimals it needs 317 characters.
  std::array<char, 320> text{};
#if defined(__cpp_lib_to_chars)
  // Exactly the digits of "%f" (both round the exact binary value correctly),
  // several times faster, and most of what a scripted session costs.
  const auto [end, error] =
      std::to_chars(text.data(), text.data() + text.size(), v, std::chars_format::fixed, 6);
  (void)error;  // the buffer is large enough for every finite double
  return {text.data(), end};
#else
  // Runtime libraries without floating-point to_chars (emscripten's libc++).
  const int n = std::snprintf(text.data(), text.size(), "%f", v);
  return {text.data(), static_cast<std::size_t>(n)};
#endif
}

}  // namespace veldra::beam
