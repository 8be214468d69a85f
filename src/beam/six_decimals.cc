#include "beam/six_decimals.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace veldra::beam {

void appendSixDecimals(std::string& text, double v) {
  if (std::isnan(v)) {
    text += "nan";
    return;
  }
  if (std::isinf(v)) {
    text += v < 0 ? "-inf" : "inf";
    return;
  }
  // The largest finite double has 309 integer digits; with sign, point and six
  // decimals it needs 317 characters.
  std::array<char, 320> digits{};
#if defined(__cpp_lib_to_chars)
  // Exactly the digits of "%f" (both round the exact binary value correctly),
  // several times faster, and most of what a scripted session costs.
  const auto [end, error] =
      std::to_chars(digits.data(), digits.data() + digits.size(), v, std::chars_format::fixed, 6);
  (void)error;  // the buffer is large enough for every finite double
  text.append(digits.data(), end);
#else
  // Runtime libraries without floating-point to_chars (emscripten's libc++).
  const int n = std::snprintf(digits.data(), digits.size(), "%f", v);
  text.append(digits.data(), static_cast<std::size_t>(n));
#endif
}

std::string sixDecimals(double v) {
  std::string text;
  appendSixDecimals(text, v);
  return text;
}

}  // namespace veldra::beam
