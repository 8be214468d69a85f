#pragma once

// What the drawing beside the browser page's terminal shows of a load case:
// the beam and its supports, the load, the sampled deflection line, dimension
// lines and marks labelled with the lines that key g printed. Every position
// and every text comes from here; the page's script only places and draws.

#include <cstdint>
#include <optional>
#include <string>

#include "beam/cases.h"

namespace veldra::app {

// The values that key g last printed a report for.
struct Printed {
  std::int32_t Nr = 0;
  beam::Inputs in;
};

// Whether `printed` holds case Nr with exactly the values `in` (bit for bit,
// so that a NaN typed again counts as the same): whether the last report is
// the report of the values entered now.
[[nodiscard]] bool sameValues(std::int32_t Nr, const beam::Inputs& in,
                              const std::optional<Printed>& printed);

// The drawing of case Nr for the beam `in`, as one JSON object. Positions are
// fractions of the drawn beam's length from A (u, 0 to 1); deflections are
// fractions of that length as drawn (v, positive downwards, the way a positive
// load acts), already exaggerated, at most 1/8. Every number is finite.
//   case, title, subtitle (the catalogue's words), status ("sampled",
//   "no-case", "unknown-case", "no-span", "force-off-span", "force-on-support",
//   "stiffness", "not-finite", "tiny"), notes [text, ...] (why something is
//   not drawn, in German), summary (the drawing in words, for a screen
//   reader), and as far as they are well defined:
//   beam ("span", "cantilever", "overhang"), supports [{kind: "pin", "roller",
//   "clamp"; u; name}], ends [{u, name}] (free ends), overhang {from, to},
//   load {kind: "force", "moment", "uniform", "rising", "falling"; u, or from
//   and to; down; clockwise (a moment); label}, dimensions [{from, to, label}],
//   line [[u, v], ...] (`points` of them), scale (how much the line is
//   exaggerated, in words), markers [{role: "x", "xq", "xm", "f"; u; v;
//   labels: [{text, shown}]}], legend (why the labels are missing), ratio.
// A marker's labels are the lines key g printed for `printed`, blanks folded
// (text) and, where long, shortened to six significant digits (shown); they
// are there only while `printed` holds the values drawn, so that the drawing
// never shows a number that the terminal has not printed.
[[nodiscard]] std::string drawingJson(std::int32_t Nr, const beam::Inputs& in, int points,
                                      const std::optional<Printed>& printed = std::nullopt);

}  // namespace veldra::app
