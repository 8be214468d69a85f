#pragma once

// The thirteen load cases in one table: how each beam is held and loaded, what
// key g reports of it and how its deflection line runs. Everything that needs
// to know the cases (the report, the sampled line, the drawing, the dialogue's
// catalogue and its question for xq) reads them from here.

#include <array>
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

// How a kind of load is named: `name` in data (the page's drawing), `symbol`
// and `noun` in German texts ("F = 10000", "die Kraft").
struct LoadKindNames {
  LoadKind kind;
  std::string_view name;
  std::string_view symbol;
  std::string_view noun;
};

inline constexpr std::array kLoadKinds = {
    LoadKindNames{LoadKind::kForce, "force", "F", "Kraft"},
    LoadKindNames{LoadKind::kMoment, "moment", "M", "Moment"},
    LoadKindNames{LoadKind::kUniform, "uniform", "q", "Streckenlast"},
    LoadKindNames{LoadKind::kRising, "rising", "q", "Streckenlast"},
    LoadKindNames{LoadKind::kFalling, "falling", "q", "Streckenlast"},
};

// The names of `kind`, from kLoadKinds.
[[nodiscard]] const LoadKindNames& namesOf(LoadKind kind);

// A place on the beam, from A along the whole beam, for the beam's values.
using Place = double (*)(const Inputs&);

// The places where the cases' loads act or start and end.
double atA(const Inputs& in);            // 0
double atB(const Inputs& in);            // L
double atMidSpan(const Inputs& in);      // L / 2
double atDistanceA(const Inputs& in);    // a from A: case 2's force
double atOverhangEnd(const Inputs& in);  // C, at L + a

struct LoadCase {
  std::int32_t Nr;
  std::string_view title;  // what key b's catalogue says of it after "+Fall <Nr>:"
  Support support;
  LoadKind load;
  Place loadAt;            // where a force or moment acts, or where a line load starts
  Place loadTo = nullptr;  // where a line load ends; null for a force or a moment
  // A moment: true when a positive F turns clockwise (A on the left, the load
  // side up). It turns the way that bends the beam towards positive deflection.
  bool clockwise = false;
  // Appends the case's result lines in the order key g prints them.
  void (*results)(const Inputs& in, Report& report) = nullptr;
  // The deflection line on the span at in.x, from A.
  double (*span)(const Inputs& in) = nullptr;
  // The deflection line on the overhang at in.xq, from B; null without one.
  double (*overhang)(const Inputs& in) = nullptr;
};

// The cases in the order in which key g tests their numbers (1, 2, 31, 32,
// 4 to 12), which is also the order of key b's catalogue.
[[nodiscard]] std::span<const LoadCase> loadCases();

// The case numbered Nr, or null when Nr names none.
[[nodiscard]] const LoadCase* findLoadCase(std::int32_t Nr);

}  // namespace veldra::beam
