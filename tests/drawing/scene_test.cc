#include "drawing/drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "beam/catalogue.h"
#include "beam/line.h"

namespace veldra::drawing {
namespace {

using beam::Inputs;
using beam::LoadKind;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kPixel = 1.0 / 480;  // of the beam, as the page draws it

// Each case as a handbook draws it: how it is held, what loads it and where
// (from A, in L and a), and which way a positive moment turns.
struct Shape {
  std::int32_t Nr;
  beam::Support support;
  LoadKind kind;
  double (*from)(double L, double a);
  double (*to)(double L, double a);  // a line load's end; a point load's place again
  bool clockwise;                    // a moment, for a positive F
};

double zero(double /*L*/, double /*a*/) { return 0; }
double span(double L, double /*a*/) { return L; }
double half(double L, double /*a*/) { return L / 2; }
double distance(double /*L*/, double a) { return a; }
double end(double L, double a) { return L + a; }

const std::vector<Shape> kShapes = {
    {1, beam::Support::kSpan, LoadKind::kForce, half, half, false},
    {2, beam::Support::kSpan, LoadKind::kForce, distance, distance, false},
    {31, beam::Support::kSpan, LoadKind::kMoment, zero, zero, true},
    {32, beam::Support::kSpan, LoadKind::kMoment, span, span, false},
    {4, beam::Support::kSpan, LoadKind::kUniform, zero, span, false},
    {5, beam::Support::kSpan, LoadKind::kRising, zero, span, false},
    {6, beam::Support::kCantilever, LoadKind::kForce, zero, zero, false},
    {7, beam::Support::kCantilever, LoadKind::kMoment, zero, zero, false},
    {8, beam::Support::kCantilever, LoadKind::kUniform, zero, span, false},
    {9, beam::Support::kCantilever, LoadKind::kRising, zero, span, false},
    {10, beam::Support::kCantilever, LoadKind::kFalling, zero, span, false},
    {11, beam::Support::kOverhang, LoadKind::kForce, end, end, false},
    {12, beam::Support::kOverhang, LoadKind::kUniform, span, end, false},
};

// A 4 m steel beam (N, mm); case 2's force 1.5 m from A, an overhang 1.2 m.
Inputs steel(std::int32_t Nr, double F) {
  return {.F = F,
          .L = 4'000,
          .E = 210'000,
          .Iy = 8.356e7,
          .a = Nr == 2 ? 1'500.0 : 1'200.0,
          .x = 1'000,
          .xq = 600};
}

const Support* supportWith(const Structure& s, std::string_view role) {
  const auto it = std::find_if(s.supports.begin(), s.supports.end(),
                               [role](const Support& p) { return p.role == role; });
  return it == s.supports.end() ? nullptr : &*it;
}

std::vector<std::string_view> rolesOf(const std::vector<Dimension>& dimensions) {
  std::vector<std::string_view> roles;
  for (const Dimension& d : dimensions) roles.push_back(d.role);
  return roles;
}

const Marker* markerWith(const Line& line, std::string_view role) {
  const auto it = std::find_if(line.markers.begin(), line.markers.end(),
                               [role](const Marker& m) { return m.role == role; });
  return it == line.markers.end() ? nullptr : &*it;
}

// The drawn line between its two nearest points at u.
double lineAt(const std::vector<Point>& line, double u) {
  for (std::size_t k = 1; k < line.size(); ++k) {
    const Point& p = line[k - 1];
    const Point& q = line[k];
    if (u >= p.u && u <= q.u) return q.u == p.u ? p.v : p.v + (q.v - p.v) * (u - p.u) / (q.u - p.u);
  }
  return kNaN;
}

// Supports, ends, overhang, dimensions and the load where the handbook puts
// them, the load pointing and turning the way the sign of F says.
TEST(Scene, EachCaseIsHeldAndLoadedWhereItsHandbookSays) {
  for (const Shape& c : kShapes) {
    for (const double F : {10'000.0, 0.0, -10'000.0}) {
      const Inputs in = steel(c.Nr, F);
      const Drawing d = drawCase(c.Nr, in, 101);
      const std::string what = "case " + std::to_string(c.Nr) + ", F " + std::to_string(F);
      ASSERT_TRUE(d.beam) << what;
      const Structure& s = *d.beam;
      const bool overhang = c.support == beam::Support::kOverhang;
      const double length = overhang ? in.L + in.a : in.L;
      const auto at = [length](double place) { return place / length; };
      EXPECT_EQ(s.support, c.support) << what;

      if (c.support == beam::Support::kCantilever) {
        ASSERT_EQ(s.supports.size(), 1U) << what;
        EXPECT_EQ(s.supports[0].kind, SupportKind::kClamp) << what;
        EXPECT_EQ(s.supports[0].u, 1) << what;
        ASSERT_EQ(s.ends.size(), 1U) << what;
        EXPECT_EQ(s.ends[0].role, "free-end") << what;
        EXPECT_EQ(s.ends[0].u, 0) << what;
      } else {
        const Support* a = supportWith(s, "support-a");
        const Support* b = supportWith(s, "support-b");
        ASSERT_TRUE(a && b) << what;
        EXPECT_EQ(a->kind, SupportKind::kPin) << what;
        EXPECT_EQ(a->u, 0) << what;
        EXPECT_EQ(b->kind, SupportKind::kRoller) << what;
        EXPECT_DOUBLE_EQ(b->u, at(in.L)) << what;
      }
      ASSERT_EQ(s.overhang.has_value(), overhang) << what;
      if (overhang) {
        EXPECT_DOUBLE_EQ(s.overhang->from, at(in.L)) << what;
        EXPECT_EQ(s.overhang->to, 1) << what;
        ASSERT_EQ(s.ends.size(), 1U) << what;
        EXPECT_EQ(s.ends[0].role, "end-c") << what;
        EXPECT_DOUBLE_EQ(s.ends[0].u, at(in.L + in.a)) << what;
      }

      // L under the span, a under the overhang or from A to case 2's force.
      const std::vector<std::string_view> expected =
          overhang || c.Nr == 2 ? std::vector<std::string_view>{"dimension-L", "dimension-a"}
                                : std::vector<std::string_view>{"dimension-L"};
      ASSERT_EQ(rolesOf(s.dimensions), expected) << what;
      EXPECT_EQ(s.dimensions[0].from, 0) << what;
      EXPECT_DOUBLE_EQ(s.dimensions[0].to, at(in.L)) << what;
      if (expected.size() == 2) {
        EXPECT_DOUBLE_EQ(s.dimensions[1].from, overhang ? at(in.L) : 0) << what;
        EXPECT_DOUBLE_EQ(s.dimensions[1].to, at(overhang ? in.L + in.a : in.a)) << what;
      }

      ASSERT_TRUE(s.load) << what;
      EXPECT_EQ(s.load->kind, c.kind) << what;
      EXPECT_NEAR(s.load->from, at(c.from(in.L, in.a)), 1e-12) << what;
      EXPECT_NEAR(s.load->to, at(c.to(in.L, in.a)), 1e-12) << what;
      EXPECT_EQ(s.load->down, F >= 0) << what << ": a load of zero points down";
      if (c.kind == LoadKind::kMoment) {
        EXPECT_EQ(s.load->clockwise, F >= 0 ? c.clockwise : !c.clockwise) << what;
      }
    }
  }
}

// At every magnitude: the line drawn to the one scale its words state, as
// large as can be seen and no larger than an eighth of the beam, and each
// mark on the line where the report puts it.
TEST(Scene, MarksStandOnTheLineWhereTheReportPutsThem) {
  for (const Shape& c : kShapes) {
    for (const double F : {1e-300, 1e-6, 1.0, 1e6, 1e290, -1e4}) {
      for (const bool atTheEnds : {false, true}) {
        Inputs in = steel(c.Nr, F);
        if (atTheEnds) in.x = in.L, in.xq = in.a;  // x on B, xq at C
        const Drawing d = drawCase(c.Nr, in, 401, Printed{c.Nr, in});
        const std::string what = "case " + std::to_string(c.Nr) + ", F " + std::to_string(F) +
                                 (atTheEnds ? ", x and xq at the ends" : "");
        ASSERT_EQ(d.status, Status::kSampled) << what;
        EXPECT_TRUE(d.notes.empty()) << what << ": " << d.notes.front().text;
        ASSERT_TRUE(d.line && d.line->exaggeration) << what;
        const Line& line = *d.line;
        const bool overhang = c.support == beam::Support::kOverhang;
        const bool cantilever = c.support == beam::Support::kCantilever;
        const double length = overhang ? in.L + in.a : in.L;

        // v = w · m · 10^decade / length, in logarithms: any magnitude.
        const beam::DeflectionLine sampled = beam::sampleDeflectionLine(c.Nr, in, 401);
        ASSERT_EQ(line.points.size(), sampled.points.size()) << what;
        const Exaggeration& e = *line.exaggeration;
        const double factor = std::log10(e.m) + e.decade - std::log10(length);
        double deepest = 0;
        for (std::size_t k = 0; k < line.points.size(); ++k) {
          const double w = sampled.points[k].w;
          const Point& p = line.points[k];
          EXPECT_DOUBLE_EQ(p.u, sampled.points[k].at / length) << what;
          deepest = std::max(deepest, std::abs(p.v));
          if (w == 0) continue;
          EXPECT_EQ(p.v > 0, w > 0) << what << ": positive deflection downwards";
          EXPECT_NEAR(std::log10(std::abs(p.v)) - std::log10(std::abs(w)), factor, 1e-9) << what;
        }
        EXPECT_GE(deepest, 1.0 / 20) << what;
        EXPECT_LE(deepest, 1.0 / 8 + 1e-12) << what;

        // Each mark on the line, at the place the report gives it.
        const beam::Report report = beam::computeReport(c.Nr, in);
        const auto printed = [&report](std::string_view label) {
          for (const beam::ResultLine& l : report.lines) {
            if (l.label.starts_with(label)) return l.value;
          }
          return kNaN;
        };
        struct Expected {
          std::string_view role;
          bool present;
          double place;
        };
        const double xm = cantilever ? 0 : std::isnan(printed("xm")) ? in.L / 2 : printed("xm");
        const double f = c.Nr == 2 ? in.a : overhang ? in.L + in.a : 0;
        for (const Expected& m :
             {Expected{"marker-x", true, in.x}, Expected{"marker-xm", !cantilever, xm},
              Expected{"marker-f", c.Nr == 2 || cantilever || overhang, f},
              Expected{"marker-xq", overhang, in.L + in.xq}}) {
          const Marker* marker = markerWith(line, m.role);
          ASSERT_EQ(marker != nullptr, m.present) << what << " " << m.role;
          if (marker == nullptr) continue;
          EXPECT_NEAR(marker->u, m.place / length, 1e-12) << what << " " << m.role;
          EXPECT_NEAR(marker->v, lineAt(line.points, marker->u), kPixel) << what << " " << m.role;
          EXPECT_FALSE(marker->labels.empty()) << what << " " << m.role;
        }
      }
    }
  }
}

// The ratio an engineer checks against a limit: the span over the largest
// deflection between the supports, at a cantilever's free end over its length.
TEST(Scene, RatioIsTheSpanOverTheLargestDeflection) {
  struct Row {
    std::int32_t Nr;
    double (*largest)(const Inputs&);
    const char* prefix;
  };
  for (const Row& r : std::vector<Row>{
           {2, [](const Inputs& in) { return beam::forceOffCentre(in).fm; }, "fm = L/"},
           {6, [](const Inputs& in) { return beam::cantileverForce(in).f; }, "f = L/"},
           {11, [](const Inputs& in) { return beam::overhangForce(in).fm; }, "fm = L/"},
           {12, [](const Inputs& in) { return beam::overhangUniformLoad(in).fm; }, "fm = L/"},
       }) {
    const Inputs in = steel(r.Nr, r.Nr == 12 ? 5 : 10'000);
    const Drawing d = drawCase(r.Nr, in, 101, Printed{r.Nr, in});
    ASSERT_TRUE(d.line) << r.Nr;
    EXPECT_EQ(d.line->ratio,
              r.prefix + std::to_string(std::llround(in.L / std::abs(r.largest(in)))))
        << r.Nr;
  }
}

// What is not well defined is said in a note, and only what is well defined
// is drawn.
TEST(Scene, SaysWhatIsNotWellDefinedAndDrawsOnlyWhatIs) {
  struct Row {
    std::int32_t Nr;
    void (*change)(Inputs&);
    Status status;
    const char* says;  // in the first note
    bool beam;         // the beam is drawn
    bool load;         // and its load
  };
  const auto none = [](Inputs&) {};
  for (const Row& r : std::vector<Row>{
           {0, none, Status::kNoCase, "Taste n, dann einer der Biegefälle 1, 2, 31, 32, 4, 5, 6",
            false, false},
           {3, none, Status::kUnknownCase, "Es gibt die Biegefälle 1, 2, 31", false, false},
           {-1, none, Status::kUnknownCase, "Es gibt die Biegefälle", false, false},
           {2, none, Status::kSampled, "", true, true},
           {2, [](Inputs& in) { in.a = 5'000; }, Status::kForceOffSpan, "außerhalb", true, false},
           {2, [](Inputs& in) { in.a = 4'000; }, Status::kForceOnSupport, "auf einem Lager", true,
            true},
           {2, [](Inputs& in) { in.a = 0; }, Status::kForceOnSupport, "auf einem Lager", true,
            true},
           {1, [](Inputs& in) { in.E = -1; }, Status::kStiffness, "positiv und endlich", true,
            true},
           {1, [](Inputs& in) { in.Iy = HUGE_VAL; }, Status::kStiffness, "positiv und endlich",
            true, true},
           {4, [](Inputs& in) { in.L = 1e-310; }, Status::kTiny, "subnormal", false, false},
           {4, [](Inputs& in) { in.L = 0; }, Status::kNoSpan, "Länge L", false, false},
           {12, [](Inputs& in) { in.a = kNaN; }, Status::kNoSpan, "Länge L", true, false},
           {11, [](Inputs& in) { in.a = -500; }, Status::kNoSpan, "Länge L", true, false},
           {8, [](Inputs& in) { in.F = kNaN; }, Status::kNotFinite, "nicht endlich", true, false},
       }) {
    Inputs in = steel(r.Nr, 10);
    r.change(in);
    const Drawing d = drawCase(r.Nr, in, 101);
    const std::string what =
        "case " + std::to_string(r.Nr) + " " + std::string(entryOf(r.status).name);
    EXPECT_EQ(d.status, r.status) << what;
    EXPECT_EQ(d.line.has_value(), r.status == Status::kSampled) << what;
    EXPECT_EQ(d.beam.has_value(), r.beam) << what;
    EXPECT_EQ(d.beam && d.beam->load, r.load) << what;
    if (r.status == Status::kSampled) {
      EXPECT_TRUE(d.notes.empty()) << what;
    } else {
      ASSERT_FALSE(d.notes.empty()) << what;
      EXPECT_EQ(d.notes[0].kind, entryOf(r.status).name) << what;
      EXPECT_NE(d.notes[0].text.find(r.says), std::string::npos) << what << ": " << d.notes[0].text;
      if (beam::findLoadCase(r.Nr) != nullptr) {  // the summary says why there is no line
        EXPECT_NE(d.summary.find(d.notes[0].text), std::string::npos) << what << ": " << d.summary;
      }
    }
    // Case 2's force gets its dimension only between the supports.
    if (r.Nr == 2 && d.beam) {
      const bool between = in.a > 0 && in.a < in.L;
      EXPECT_EQ(rolesOf(d.beam->dimensions).size(), between ? 2U : 1U) << what;
    }
  }
  EXPECT_EQ(drawCase(-1, steel(1, 10), 101).title, "Biegefall -1 gibt es nicht");
  EXPECT_EQ(drawCase(0, steel(1, 10), 101).title, "Kein Biegefall gewählt");
}

// x off the beam and xq off the overhang get a note instead of a mark; at
// the ends they are on it.
TEST(Scene, MarksOffTheBeamGiveANote) {
  struct Row {
    std::int32_t Nr;
    double x;
    double xq;
    std::vector<std::string_view> notes;
    bool xMark;
    bool xqMark;
  };
  for (const Row& r : std::vector<Row>{
           {1, 4'000, 0, {}, true, false},
           {1, 4'000.5, 0, {"x-off-beam"}, false, false},
           {1, -1, 0, {"x-off-beam"}, false, false},
           {11, 1'000, 1'200, {}, true, true},
           {11, 1'000, 1'200.5, {"xq-off-overhang"}, true, false},
           {12, kNaN, -3, {"x-off-beam", "xq-off-overhang"}, false, false},
       }) {
    Inputs in = steel(r.Nr, 10);
    in.x = r.x;
    in.xq = r.xq;
    const Drawing d = drawCase(r.Nr, in, 101);
    ASSERT_TRUE(d.line) << r.Nr;
    std::vector<std::string_view> kinds;
    for (const Note& n : d.notes) kinds.push_back(n.kind);
    EXPECT_EQ(kinds, r.notes) << r.Nr << " x " << r.x << " xq " << r.xq;
    EXPECT_EQ(markerWith(*d.line, "marker-x") != nullptr, r.xMark) << r.Nr << " x " << r.x;
    EXPECT_EQ(markerWith(*d.line, "marker-xq") != nullptr, r.xqMark) << r.Nr << " xq " << r.xq;
  }
}

// The labels are the lines key g printed, and only for the values it printed.
TEST(Scene, LabelsOnlyWhatKeyGPrintedForTheseValues) {
  Inputs in{.F = 10'000, .L = 4'000, .E = 210'000, .Iy = 8.356e7, .a = 1'500, .x = 1'500};
  const Drawing d = drawCase(2, in, 201, Printed{2, in});
  ASSERT_TRUE(d.line);
  const auto texts = [&d](std::string_view role) {
    std::vector<std::string> found;
    if (const Marker* m = markerWith(*d.line, role)) {
      for (const Label& l : m->labels) found.push_back(l.text);
    }
    return found;
  };
  EXPECT_EQ(texts("marker-xm"), (std::vector<std::string>{"fm = 0.698980", "xm = 1859.127904"}));
  // Both pieces where x = a, and f under the force.
  EXPECT_EQ(texts("marker-x"), (std::vector<std::string>{"wI(x=1500.000000)= 0.667826",
                                                         "wII(x=1500.000000)= 0.667826"}));
  EXPECT_EQ(texts("marker-f"), (std::vector<std::string>{"f = 0.667826"}));
  EXPECT_EQ(d.line->ratio, "fm = L/5723");
  EXPECT_EQ(d.line->scale, "Durchbiegung 500-fach vergrößert");
  EXPECT_EQ(d.line->legend, "");
  EXPECT_EQ(d.summary,
            "Lager bei A u. B, Kraft aussermittig. Länge L = 4000. Last: Kraft F = 10000. "
            "Größte Durchbiegung: fm = 0.698980, xm = 1859.127904.");

  const Inputs printed = in;
  in.F = 20'000;
  const Drawing changed = drawCase(2, in, 201, Printed{2, printed});
  ASSERT_TRUE(changed.line);
  for (const Marker& m : changed.line->markers) EXPECT_TRUE(m.labels.empty()) << m.role;
  EXPECT_EQ(changed.line->legend, "Werte geändert: Taste g berechnet die Ergebnisse neu.");
  EXPECT_EQ(changed.line->ratio, "");
  EXPECT_EQ(drawCase(1, in, 201, Printed{2, printed}).line->legend,
            "Taste g berechnet die Ergebnisse.");

  in.F = 1e200;  // a long line is shortened, whole in the tooltip
  const Drawing huge = drawCase(1, in, 201, Printed{1, in});
  const Marker* xm = markerWith(*huge.line, "marker-xm");
  ASSERT_TRUE(xm != nullptr && xm->labels.size() == 1);
  EXPECT_EQ(xm->labels[0].shown, "fm = 7.59838e+195");
  EXPECT_TRUE(xm->labels[0].text.starts_with("fm = 7598")) << xm->labels[0].text;
  EXPECT_GT(xm->labels[0].text.size(), 190U);
}

// A NaN typed again is the same value: the report still holds.
TEST(Scene, SameValuesComparesBits) {
  Inputs in = steel(1, kNaN);
  EXPECT_TRUE(sameValues(1, in, Printed{1, in}));
  EXPECT_FALSE(sameValues(2, in, Printed{1, in}));
  EXPECT_FALSE(sameValues(1, in, std::nullopt));
  Inputs other = in;
  other.x = -0.0;
  in.x = 0.0;
  EXPECT_FALSE(sameValues(1, in, Printed{1, other}));
}

}  // namespace
}  // namespace veldra::drawing
