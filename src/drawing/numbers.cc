#include "drawing/numbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace veldra::drawing {

std::string typed(double v) {
  std::array<char, 400> text{};
  if (!std::isfinite(v)) {
    (void)std::snprintf(text.data(), text.size(), "%g", v);
    return text.data();
  }
  int digits = 1;
  for (; digits < 17; ++digits) {
    (void)std::snprintf(text.data(), text.size(), "%.*g", digits, v);
    if (std::strtod(text.data(), nullptr) == v) break;
  }
  const int exponent = v == 0 ? 0 : static_cast<int>(std::floor(std::log10(std::abs(v))));
  if (exponent >= -4 && exponent < 15) {
    (void)std::snprintf(text.data(), text.size(), "%.*f", std::max(0, digits - 1 - exponent), v);
  } else {
    (void)std::snprintf(text.data(), text.size(), "%.*g", digits, v);
  }
  std::string s = text.data();
  return s.size() > 12 ? sixSignificant(v) : s;
}

std::string sixSignificant(double v) {
  std::array<char, 32> text{};
  (void)std::snprintf(text.data(), text.size(), "%.6g", v);
  return text.data();
}

std::string withDecimals(double v, int n) {
  std::array<char, 64> text{};
  (void)std::snprintf(text.data(), text.size(), "%.*f", n, v);
  return text.data();
}

std::string folded(std::string_view line) {
  std::string text;
  for (const char c : line) {
    if (c != ' ' || text.empty() || text.back() != ' ') text += c;
  }
  return text;
}

namespace {

// "10¹²": powers of ten as a reader writes them.
std::string powerOfTen(int exponent) {
  static constexpr std::array<std::string_view, 10> kDigits = {"⁰", "¹", "²", "³", "⁴",
                                                               "⁵", "⁶", "⁷", "⁸", "⁹"};
  std::string digits;
  for (int e = std::abs(exponent); e > 0 || digits.empty(); e /= 10) {
    digits.insert(0, kDigits[static_cast<std::size_t>(e % 10)]);
  }
  return "10" + std::string(exponent < 0 ? "⁻" : "") + digits;
}

}  // namespace

std::string times(int m, int e) {
  if (e >= 0 && e <= 6) {
    std::string s = std::to_string(m);
    s.append(static_cast<std::size_t>(e), '0');
    return s;
  }
  return (m == 1 ? "" : std::to_string(m) + " · ") + powerOfTen(e);
}

}  // namespace veldra::drawing
