#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "beam/cases.h"

namespace veldra::beam {

// Which mark a drawing of the beam puts a result line at.
enum class Mark {
  kNone,            // a slope, or a value that no mark shows
  kAtX,             // the deflection line at x
  kAtXq,            // the deflection line at xq, on the overhang
  kLargest,         // fm and xm: the largest deflection between the supports
  kCharacteristic,  // f: under the force, at the free end A, or at the end C
};

// One line of key g's report, as data: the label, the values at full
// precision, and where on the beam the line belongs.
struct ResultLine {
  std::string_view label;    // what is printed before the value, "fm    = " or "w(x="
  std::optional<double> at;  // the coordinate of a "label<at>)= <value>" line
  double value = 0.0;        // the value printed
  Mark mark = Mark::kNone;   // the mark that shows the line
  double markAt = 0.0;       // where that mark stands, from A along the whole beam
                             // (on an overhang, xq lies at L + xq)
  double markW = 0.0;        // the deflection line there, signed as the line runs
};

// The results of key g for one load case.
struct Report {
  std::int32_t Nr = 0;
  std::vector<ResultLine> lines;  // empty when Nr names no case

  // Appends a line; for the cases' own result functions.
  void add(const ResultLine& line) { lines.push_back(line); }
};

// The results of load case Nr for the beam `in`, in the order and with the
// labels that key g prints them. A number that names no case gives no line.
[[nodiscard]] Report computeReport(std::int32_t Nr, const Inputs& in);

// The report as key g prints it: the header "Ergebnisse Biegefall <Nr>", then
// each line with its values in "%f" form. Every line ends in "\n".
[[nodiscard]] std::string renderReport(const Report& report);

// One line as printed, without its line end.
[[nodiscard]] std::string renderLine(const ResultLine& line);

// renderReport(computeReport(Nr, in)): the text that key g prints.
[[nodiscard]] std::string resultReport(std::int32_t Nr, const Inputs& in);

}  // namespace veldra::beam
