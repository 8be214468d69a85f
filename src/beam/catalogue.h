#pragma once

// The thirteen load cases in one table: how each beam is held and loaded, what
// key g reports of it and how its deflection line runs. Everything that needs
// to know the cases (the report, the sampled line, the drawing, the dialogue's
// catalogue and its question for xq) reads them from here.

#include <cstdint>
#include <span>
#include <string_view>

#include "beam/cases.h"
#include "beam/report.h"

namespace veldra::beam {

// How the beam is held.
enum class Support {
  kSpan,        // on supports A (x = 0) and B (x = L)
  kCantilever,  // clamped at B (x = L), free at A (x = 0)
  kOverhang,    // on supports A and B, running on by a beyond B to its free end C
};

// What loads it; F holds the load's value.
enum class LoadKind {
  kForce,    // a point force
  kMoment,   // a point moment
  kUniform,  // a uniform line load q
  kRising,   // a triangular line load, zero where it starts, q where it ends
  kFalling,  // a triangular line load, q where it starts, zero where it ends
};

// A place on the beam, from A along the whole beam, for the beam's values.
using Place = double (*)(const Inputs&);

struct LoadCase {
  std::int32_t Nr;
  std::string_view catalogueLine;  // its line in key b's catalogue, with the line end
  Support support;
  LoadKind load;
  Place loadAt;  // where a force or moment acts, or where a line load starts
  Place loadTo;  // where a line load ends; null for a force or a moment
  bool loadAtA;  // the load acts at the distance a from A (case 2's force)
  // A moment: true when a positive F turns clockwise (A on the left, the load
  // side up). It turns the way that bends the beam towards positive deflection.
  bool clockwise;
  // Appends the case's result lines in the order key g prints them.
  void (*results)(const Inputs& in, Report& report);
  // The deflection line on the span at in.x, from A.
  double (*span)(const Inputs& in);
  // The deflection line on the overhang at in.xq, from B; null without one.
  double (*overhang)(const Inputs& in);
};

// The cases in the order in which key g tests their numbers (1, 2, 31, 32,
// 4 to 12), which is also the order of key b's catalogue.
[[nodiscard]] std::span<const LoadCase> loadCases();

// The case numbered Nr, or null when Nr names none.
[[nodiscard]] const LoadCase* findLoadCase(std::int32_t Nr);

}  // namespace veldra::beam
