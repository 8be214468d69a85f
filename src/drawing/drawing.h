#pragma once

// The drawing of a load case beside the browser page's terminal, as a plain
// value: the beam with its supports and load, dimension lines, the sampled
// deflection line and the marks on it labelled with the lines that key g
// printed, and notes on what is not drawn. Every position and every text is
// decided here; the page only places and draws (drawing_json.h hands it over).
//
// Positions u are fractions of the drawn beam's length from A (0 to 1, the
// whole beam: on an overhang, up to C). Deflections v are fractions of that
// length as drawn: exaggerated, positive downwards (the way a positive load
// acts), at most 1/8. Every number is finite.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "beam/cases.h"
#include "beam/catalogue.h"
#include "beam/report.h"
#include "drawing/scale.h"
#include "drawing/stated.h"
#include "drawing/status.h"

namespace veldra::drawing {

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

// A note on what is not drawn, and why: what it is about (a status's name,
// or "x-off-beam", "xq-off-overhang", "load-not-finite") and its German text.
struct Note {
  std::string_view kind;
  std::string text;
};

enum class SupportKind {
  kPin,     // a fixed support: a triangle
  kRoller,  // a support free to slide: a triangle on wheels
  kClamp,   // the wall that a cantilever is clamped in
};

// `role` names each part for the page and its checks: "support-a",
// "support-b", "clamp"; "free-end", "end-c"; "dimension-L", "dimension-a";
// "marker-x", "marker-xq", "marker-xm", "marker-f".
struct Support {
  SupportKind kind;
  std::string_view role;
  double u;
  std::string_view name;  // "Lager A"
};

// A free end of the beam: a cantilever's A, an overhang's C.
struct End {
  std::string_view role;
  double u;
  std::string_view name;
};

// The overhang, from B to C.
struct OverhangPart {
  double from;
  double to;
  std::string_view name;  // "Kragarm"
};

struct Dimension {
  std::string_view role;
  double from;
  double to;
  std::string label;  // "L = 4000"
};

struct Load {
  beam::LoadKind kind;
  double from;  // where a force or moment acts, or where a line load starts
  double to;    // where a line load ends; `from` for a force or moment
  bool down;    // it points down: F is zero or more
  // A moment: it turns clockwise, A on the left and the load side up.
  bool clockwise;
  std::string label;  // "F = 10000"
};

// The beam as it is held and loaded, as far as that is well defined.
struct Structure {
  beam::Support support;
  std::vector<Support> supports{};
  std::vector<End> ends{};
  std::optional<OverhangPart> overhang{};
  std::vector<Dimension> dimensions{};
  std::optional<Load> load{};  // none where it cannot stand on the drawn beam
};

// A line that key g printed: blanks folded ("fm = 0.698980"), and as shown
// where that is long (six significant digits).
struct Label {
  std::string text;
  std::string shown;
};

struct Point {
  double u;
  double v;
};

// A mark on the deflection line, with the lines of the report that it shows.
struct Marker {
  beam::Mark mark;
  std::string_view role;
  std::string_view tag;  // what stands beside it: "x", "xq", "xm", "f"
  double u;
  double v;
  std::vector<Label> labels;  // only while the report is that of these values
};

struct Line {
  std::vector<Point> points;
  std::optional<Exaggeration> exaggeration;  // none for a line without deflection
  std::string scale;                         // how it is exaggerated, in words
  std::vector<Marker> markers;
  std::string legend;  // why the marks have no labels; empty when they have
  std::string ratio;   // the largest deflection against the span ("fm = L/5723"), or empty
};

struct Drawing {
  std::int32_t Nr = 0;
  std::string title;            // "Biegefall 2"
  std::string_view subtitle{};  // the catalogue's title of the case; empty for none
  Status status = Status::kNoCase;
  std::vector<Note> notes{};
  std::string summary{};  // the drawing in words, for a screen reader
  std::string source{};   // the section and material of E and Iy, where stated and still held
  std::optional<Structure> beam{};
  std::optional<Line> line{};  // only with Status::kSampled
};

// The drawing of case Nr for the beam `in`, its line sampled at `points`
// points. A marker's labels are the lines that key g printed for `printed`;
// they are there only while `printed` holds the values drawn, so that the
// drawing never shows a number that the terminal has not printed. Where
// `stated` gives units, lengths, loads and the marks' values carry them.
[[nodiscard]] Drawing drawCase(std::int32_t Nr, const beam::Inputs& in, int points,
                               const std::optional<Printed>& printed = std::nullopt,
                               const Stated& stated = {});

}  // namespace veldra::drawing
