#pragma once

// Numbers as the drawing writes them: in labels, a value as the user would
// type it; in the marks' labels, the printed lines.

#include <string>
#include <string_view>

namespace veldra::drawing {

// A value as the user would write it: as few digits as read back the same,
// without an exponent where a plain decimal is short; six significant digits
// when even that is long. "inf", "-inf" and "nan" as they are.
[[nodiscard]] std::string typed(double v);

// Six significant digits, as "%.6g" writes them.
[[nodiscard]] std::string sixSignificant(double v);

// `n` decimals, as "%.*f" writes them: withDecimals(0.333, 2) is "0.33".
[[nodiscard]] std::string withDecimals(double v, int n);

// Blanks folded: "fm    = 1.000000" reads "fm = 1.000000".
[[nodiscard]] std::string folded(std::string_view line);

// m · 10^e in words, m being 1, 2 or 5: "500", "2 · 10⁹", "10⁻¹²".
[[nodiscard]] std::string times(int m, int e);

}  // namespace veldra::drawing
