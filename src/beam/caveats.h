#pragma once

// Where a case's values put its beam out of the meaning of its formulas: a
// coordinate off the beam, a force off the span or on a support, no span, no
// stiffness, results that are not finite. The formulas are evaluated all the
// same (nothing is validated); the calculator's notes after key g and the
// page's drawing both say what is off, from the one table here, so that
// they never disagree.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "beam/cases.h"
#include "beam/catalogue.h"
#include "beam/report.h"

namespace veldra::beam {

enum class Caveat {
  kNoSpan,          // L, or an overhang's a, zero, below zero or not finite
  kForceOffSpan,    // case 2's force outside the span: a below 0 or beyond L
  kForceOnSupport,  // case 2's force on A or B: the formulas divide by a or L - a
  kNoStiffness,     // E or Iy zero, below zero or not finite
  kXOffBeam,        // x outside the beam, 0 to L (on a cantilever from its free end)
  kXqOffOverhang,   // xq outside the overhang, 0 to a
  kNotFinite,       // a result is infinite or NaN, for none of the reasons above
};

// How a note writes a value ("%f", or as the user would type it).
using NumberText = std::string (*)(double);

struct CaveatEntry {
  Caveat caveat;
  std::string_view name;  // in data: "no-span", "x-off-beam", ...
  // The note for case c: one German sentence (UTF-8), without a full stop,
  // naming the values it is about as `number` writes them.
  std::string (*note)(const LoadCase& c, const Inputs& in, NumberText number);
};

extern const std::array<CaveatEntry, 7> kCaveats;

// The entry of `caveat` in kCaveats.
[[nodiscard]] const CaveatEntry& entryOf(Caveat caveat);

// What the values alone say of case c, in the order of kCaveats (without
// kNotFinite). Without a span, nothing is said of a force, x or xq.
[[nodiscard]] std::vector<Caveat> caveatsOfValues(const LoadCase& c, const Inputs& in);

// What key g's report for `in` says, in the order of kCaveats: the caveats of
// the values, and kNotFinite when a printed number is infinite or NaN and no
// other caveat says why. A length, a stiffness or a force off the span or
// on a support explains any such number; x off the beam (xq off the
// overhang) only the line printed at x (xq). None for a number that names
// no case.
[[nodiscard]] std::vector<Caveat> caveatsOfReport(const Report& report, const Inputs& in);

}  // namespace veldra::beam
