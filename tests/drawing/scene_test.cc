#include "drawing/drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "beam/catalogue.h"
#include "beam/line.h"

namespace veldra::drawing {
namespace {

using beam::Inputs;
using beam::LoadKind;
using Placed = std::vector<std::pair<std::string_view, double>>;  // role, u

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Each case as a handbook draws it: how it is held, what loads it and where
// (from A, in L and a), and which way a positive moment turns.
struct Shape {
  std::int32_t Nr;
  beam::Support support;
  LoadKind kind;
  double (*from)(double L, double a);
  double (*to)(double L, double a);  // a line load's end; a point load's place again
  bool clockwise;
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

// Where the parts stand: each support and end at its u; the overhang and each
// dimension from its u, with the u it runs to after it, unnamed.
Placed placed(const Structure& s) {
  Placed parts;
  for (const Support& p : s.supports) parts.emplace_back(p.role, p.u);
  for (const End& e : s.ends) parts.emplace_back(e.role, e.u);
  if (s.overhang) parts.insert(parts.end(), {{"overhang", s.overhang->from}, {"", s.overhang->to}});
  for (const Dimension& d : s.dimensions) parts.insert(parts.end(), {{d.role, d.from}, {"", d.to}});
  return parts;
}

const Marker* markerWith(const Line& line, std::string_view role) {
  for (const Marker& m : line.markers) {
    if (m.role == role) return &m;
  }
  return nullptr;
}

// Supports, ends, overhang, dimensions and the load where the handbook puts
// them, the load pointing and turning the way the sign of F says.
TEST(Scene, EachCaseIsHeldAndLoadedWhereItsHandbookSays) {
  for (const Shape& c : kShapes) {
    for (const double F : {10'000.0, 0.0, -10'000.0}) {
      const Inputs in = steel(c.Nr, F);
      const Drawing d = drawCase(c.Nr, in, 101);
      const std::string what = "case " + std::to_string(c.Nr) + ", F " + std::to_string(F);
      ASSERT_TRUE(d.beam && d.beam->load) << what;
      const bool overhang = c.support == beam::Support::kOverhang;
      const double length = overhang ? in.L + in.a : in.L;
      const double B = in.L / length;
      Placed expected = c.support == beam::Support::kCantilever
                            ? Placed{{"clamp", 1}, {"free-end", 0}}
                            : Placed{{"support-a", 0}, {"support-b", B}};
      if (overhang) expected.insert(expected.end(), {{"end-c", 1}, {"overhang", B}, {"", 1}});
      expected.insert(expected.end(), {{"dimension-L", 0}, {"", B}});
      if (overhang) expected.insert(expected.end(), {{"dimension-a", B}, {"", 1}});
      if (c.Nr == 2) expected.insert(expected.end(), {{"dimension-a", 0}, {"", in.a / length}});
      EXPECT_EQ(placed(*d.beam), expected) << what;
      EXPECT_EQ(d.beam->support, c.support) << what;
      EXPECT_EQ(d.beam->supports.back().kind, c.support == beam::Support::kCantilever
                                                  ? SupportKind::kClamp
                                                  : SupportKind::kRoller);

      const Load& load = *d.beam->load;
      EXPECT_EQ(load.kind, c.kind) << what;
      const char* symbol = c.kind == LoadKind::kForce    ? "F = "
                           : c.kind == LoadKind::kMoment ? "M = "
                                                         : "q = ";
      EXPECT_TRUE(load.label.starts_with(symbol)) << what << ": " << load.label;
      EXPECT_NEAR(load.from, c.from(in.L, in.a) / length, 1e-12) << what;
      EXPECT_NEAR(load.to, c.to(in.L, in.a) / length, 1e-12) << what;
      EXPECT_EQ(load.down, F >= 0) << what << ": a load of zero points down";
      if (c.kind == LoadKind::kMoment) {
        EXPECT_EQ(load.clockwise, (F >= 0) == c.clockwise) << what;
      }
    }
  }
}

// Before its span is given, the chosen case as a sketch: held and loaded as
// its handbook draws it, each length and the load named by its symbol until
// it is typed, and where x and xq are measured from.
TEST(Scene, ACaseBeforeItsValuesIsASketchWithSymbols) {
  for (const Shape& c : kShapes) {
    for (const double F : {0.0, 10'000.0}) {
      const Inputs in{.F = F};
      const Drawing d = drawCase(c.Nr, in, 101);
      const std::string what = "case " + std::to_string(c.Nr) + ", F " + std::to_string(F);
      EXPECT_EQ(d.status, Status::kSketch) << what;
      EXPECT_FALSE(d.line.has_value()) << what;
      ASSERT_TRUE(d.beam && d.beam->load) << what;
      EXPECT_EQ(d.beam->support, c.support) << what;
      const char* symbol = c.kind == LoadKind::kForce    ? "F"
                           : c.kind == LoadKind::kMoment ? "M"
                                                         : "q";
      EXPECT_EQ(d.beam->load->label, F == 0 ? symbol : std::string(symbol) + " = 10000") << what;
      EXPECT_TRUE(d.beam->load->down) << what;
      std::vector<std::string> named;
      for (const Dimension& m : d.beam->dimensions) {
        named.push_back(std::string(m.role) + " " + m.label);
        // x from A (a cantilever's free end), xq from B.
        if (m.role == "dimension-x") {
          EXPECT_EQ(m.from, 0) << what;
        } else if (m.role == "dimension-xq") {
          EXPECT_EQ(m.from, d.beam->supports.back().u) << what;
        }
      }
      const bool overhang = c.support == beam::Support::kOverhang;
      std::vector<std::string> expected{"dimension-L L"};
      if (overhang || c.Nr == 2) expected.emplace_back("dimension-a a");
      expected.emplace_back("dimension-x x");
      if (overhang) expected.emplace_back("dimension-xq xq");
      EXPECT_EQ(named, expected) << what;
    }
  }
  // Once typed, a value stands in place of its symbol.
  const Drawing typedA = drawCase(2, {.a = 1'500, .x = 2'000}, 101);
  EXPECT_EQ(typedA.beam->dimensions[1].label, "a = 1500");
  EXPECT_EQ(typedA.beam->dimensions[2].label, "x = 2000");
}

// At every magnitude: the line drawn to the one scale its words state, as
// large as can be seen and no larger than an eighth of the beam, and each
// mark on the line where the report puts it.
TEST(Scene, MarksStandOnTheLineWhereTheReportPutsThem) {
  for (const Shape& c : kShapes) {
    for (const double F : {1e-300, 1.0, 1e290, -1e4}) {
      for (const bool atTheEnds : {false, true}) {
        Inputs in = steel(c.Nr, F);
        if (atTheEnds) in.x = in.L, in.xq = in.a;  // x on B, xq at C
        const Drawing d = drawCase(c.Nr, in, 401, Printed{c.Nr, in});
        const std::string what = "case " + std::to_string(c.Nr) + ", F " + std::to_string(F) +
                                 (atTheEnds ? ", x and xq at the ends" : "");
        ASSERT_TRUE(d.line && d.line->exaggeration && d.notes.empty()) << what;
        const Line& line = *d.line;
        const bool overhang = c.support == beam::Support::kOverhang;
        const bool cantilever = c.support == beam::Support::kCantilever;
        const double length = overhang ? in.L + in.a : in.L;

        // v = w · m · 10^decade / length, in logarithms: any magnitude.
        const beam::DeflectionLine sampled = beam::sampleDeflectionLine(c.Nr, in, 401);
        ASSERT_EQ(line.points.size(), sampled.points.size()) << what;
        const double factor =
            std::log10(line.exaggeration->m) + line.exaggeration->decade - std::log10(length);
        double deepest = 0;
        for (std::size_t k = 0; k < line.points.size(); ++k) {
          const double w = sampled.points[k].w;
          const Point& p = line.points[k];
          deepest = std::max(deepest, std::abs(p.v));
          EXPECT_EQ(p.u, sampled.points[k].at / length) << what;
          if (w == 0) continue;
          EXPECT_EQ(p.v > 0, w > 0) << what << ": positive deflection downwards";
          EXPECT_NEAR(std::log10(std::abs(p.v)) - std::log10(std::abs(w)), factor, 1e-9) << what;
        }
        EXPECT_GE(deepest, 1.0 / 20) << what;
        EXPECT_LE(deepest, 1.0 / 8 + 1e-12) << what;

        // Each mark at the place the report gives it, on the line within a
        // pixel of a 480 px beam.
        const beam::Report report = beam::computeReport(c.Nr, in);
        double xm = cantilever ? kNaN : in.L / 2;
        for (const beam::ResultLine& l : report.lines) {
          if (l.label.starts_with("xm")) xm = l.value;
        }
        const double f = c.Nr == 2 ? in.a : overhang ? in.L + in.a : cantilever ? 0 : kNaN;
        for (const auto& [role, place] : Placed{{"marker-x", in.x},
                                                {"marker-xm", xm},
                                                {"marker-f", f},
                                                {"marker-xq", overhang ? in.L + in.xq : kNaN}}) {
          const Marker* m = markerWith(line, role);
          ASSERT_EQ(m != nullptr, !std::isnan(place)) << what << " " << role;
          if (m == nullptr) continue;
          EXPECT_NEAR(m->u, place / length, 1e-12) << what << " " << role;
          const auto at = std::lower_bound(line.points.begin(), line.points.end(), m->u,
                                           [](const Point& p, double u) { return p.u < u; });
          const Point& q = *at;
          const Point& p = at == line.points.begin() ? q : *(at - 1);
          const double v = q.u == p.u ? q.v : p.v + (q.v - p.v) * (m->u - p.u) / (q.u - p.u);
          EXPECT_NEAR(m->v, v, 1.0 / 480) << what << " " << role;
          EXPECT_FALSE(m->labels.empty()) << what << " " << role;
        }
      }
    }
  }
}

// The ratio an engineer checks against a limit: the span over the largest
// deflection between the supports, at a cantilever's free end over its length.
TEST(Scene, RatioIsTheSpanOverTheLargestDeflection) {
  const auto ratio = [](std::int32_t Nr) {
    const Inputs in = steel(Nr, 10'000);
    return drawCase(Nr, in, 101, Printed{Nr, in}).line->ratio;
  };
  const Inputs in = steel(11, 10'000);
  const auto L = [&in](double f) { return std::to_string(std::llround(in.L / std::abs(f))); };
  EXPECT_EQ(ratio(6), "f = L/" + L(beam::cantileverForce(in).f));
  EXPECT_EQ(ratio(11), "fm = L/" + L(beam::overhangForce(in).fm));
}

// However large the deflection against the span, the ratio stays true: never
// "L/0". Case 1 on a unit beam deflects fm = F / 48, so F = 48 / r gives L/fm = r.
TEST(Scene, RatioStaysTrueWhereTheDeflectionIsLargeOrTiny) {
  for (const auto& [r, expected] : std::vector<std::pair<double, std::string>>{
           {1e12, "fm = L/1e+12"},
           {3e7, "fm = L/3e+7"},
           {1e8, "fm = L/1e+8"},
           {9.9999996e7, "fm = L/1e+8"},  // a mantissa that rounds up to 10
           {9.97, "fm = L/10"},
           {300, "fm = L/300"},
           {12.4, "fm = L/12"},
           {3.03, "fm = L/3.0"},
           {1, "fm = L/1.0"},
           {0.33, "fm = L/0.33"},
           {0.09, "fm = 11·L"},
           {1e-9, "fm = 1e+9·L"},
       }) {
    const Inputs in{.F = 48 / r, .L = 1, .E = 1, .Iy = 1, .a = 0, .x = 0.5, .xq = 0};
    EXPECT_EQ(drawCase(1, in, 101, Printed{1, in}).line->ratio, expected) << r;
  }
}

// Where units are stated, lengths, loads and the marks' values carry them;
// the section and material are named while E and Iy are the ones stated.
TEST(Scene, NamesTheUnitsAndTheSectionWhereStated) {
  const Inputs in = steel(4, 5);
  Stated stated{
      .units = &sections::kUnitSystems[2], .source = "IPE 300, S235", .E = in.E, .Iy = in.Iy};
  const Drawing d = drawCase(4, in, 101, Printed{4, in}, stated);
  EXPECT_EQ(d.beam->dimensions[0].label, "L = 4000 m");
  EXPECT_EQ(d.beam->load->label, "q = 5 kN/m");
  const Marker* xm = markerWith(*d.line, "marker-xm");
  ASSERT_NE(xm, nullptr);
  EXPECT_EQ(xm->labels[0].shown, xm->labels[0].text + " m");
  EXPECT_EQ(d.source, "IPE 300, S235");
  EXPECT_EQ(drawCase(6, steel(6, 1), 101, std::nullopt, stated).beam->load->label, "F = 1 kN");
  stated.E += 1;  // E typed anew: the source no longer holds
  EXPECT_EQ(drawCase(4, in, 101, Printed{4, in}, stated).source, "");
  EXPECT_EQ(drawCase(4, in, 101).beam->dimensions[0].label, "L = 4000");
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
           {-1, none, Status::kUnknownCase, "Es gibt die Biegefälle 1, 2, 31", false, false},
           {2, none, Status::kSampled, "", true, true},
           {2, [](Inputs& in) { in.a = 5'000; }, Status::kForceOffSpan, "außerhalb", true, false},
           {2, [](Inputs& in) { in.a = 4'000; }, Status::kForceOnSupport, "auf einem Lager", true,
            true},
           {1, [](Inputs& in) { in.E = -1; }, Status::kStiffness, "positiv und endlich", true,
            true},
           {1, [](Inputs& in) { in.Iy = HUGE_VAL; }, Status::kStiffness, "positiv und endlich",
            true, true},
           {4, [](Inputs& in) { in.L = 1e-310; }, Status::kTiny, "subnormal", false, false},
           {12, [](Inputs& in) { in.a = kNaN; }, Status::kNoSpan, "Länge a des Kragarms ist keine",
            true, false},
           {11, [](Inputs& in) { in.a = -500; }, Status::kNoSpan, "Kragarms ist negativ (a = -500)",
            true, false},
           {12, [](Inputs& in) { in.a = HUGE_VAL; }, Status::kNoSpan, "Kragarms ist unendlich",
            true, false},
           {4, [](Inputs& in) { in.L = HUGE_VAL; }, Status::kNoSpan, "Die Länge L ist unendlich",
            false, false},
           {4, [](Inputs& in) { in.L = kNaN; }, Status::kNoSpan, "L ist keine Zahl (nan)", false,
            false},
           {2, [](Inputs& in) { in.a = 0; }, Status::kForceOnSupport, "auf einem Lager", true,
            true},
           {2, [](Inputs& in) { in.a = -100; }, Status::kForceOffSpan, "außerhalb", true, false},
           {8, [](Inputs& in) { in.F = kNaN; }, Status::kNotFinite, "nicht endlich", true, false},
       }) {
    Inputs in = steel(r.Nr, 10);
    r.change(in);
    const Drawing d = drawCase(r.Nr, in, 101);
    const std::string what =
        "case " + std::to_string(r.Nr) + " " + std::string(entryOf(r.status).name);
    EXPECT_EQ(d.status, r.status) << what;
    // A status that a caveat says goes by the caveat's name, in the drawing and on the page.
    if (entryOf(r.status).caveat) {
      EXPECT_EQ(entryOf(r.status).name, beam::entryOf(*entryOf(r.status).caveat).name) << what;
    }
    EXPECT_EQ(d.line.has_value(), r.status == Status::kSampled) << what;
    EXPECT_EQ(d.beam.has_value(), r.beam) << what;
    EXPECT_EQ(d.beam && d.beam->load, r.load) << what;
    // Case 2's force has its dimension only between the supports; the
    // overhang is drawn only where it is a length, and B stays on the beam.
    if (d.beam) {
      EXPECT_EQ(d.beam->dimensions.size() == 2, r.Nr == 2 && in.a > 0 && in.a < in.L) << what;
      for (const Support& p : d.beam->supports) EXPECT_TRUE(p.u >= 0 && p.u <= 1) << what;
    }
    if (r.status == Status::kSampled) continue;
    ASSERT_FALSE(d.notes.empty()) << what;
    EXPECT_EQ(d.notes[0].kind, entryOf(r.status).name) << what;
    EXPECT_NE(d.notes[0].text.find(r.says), std::string::npos) << what << ": " << d.notes[0].text;
  }
  EXPECT_EQ(drawCase(-1, {}, 101).title, "Biegefall -1 gibt es nicht");
  EXPECT_EQ(drawCase(0, {}, 101).title, "Kein Biegefall gewählt");
}

// x off the beam and xq off the overhang get a note instead of a mark.
TEST(Scene, MarksOffTheBeamGiveANote) {
  using Row = std::tuple<std::int32_t, double, double, std::string_view, std::string_view>;
  for (const auto& [Nr, x, xq, kind, role] :
       std::vector<Row>{{1, 4'000.5, 0, "x-off-beam", "marker-x"},
                        {11, 1'000, 1'200.5, "xq-off-overhang", "marker-xq"}}) {
    Inputs in = steel(Nr, 10);
    in.x = x;
    in.xq = xq;
    const Drawing d = drawCase(Nr, in, 101);
    ASSERT_EQ(d.notes.size(), 1U) << Nr;
    EXPECT_EQ(d.notes[0].kind, kind) << Nr;
    EXPECT_EQ(markerWith(*d.line, role), nullptr) << Nr;
  }
}

// The labels are the lines key g printed, and only for the values it printed.
TEST(Scene, LabelsOnlyWhatKeyGPrintedForTheseValues) {
  Inputs in{.F = 10'000, .L = 4'000, .E = 210'000, .Iy = 8.356e7, .a = 1'500, .x = 1'500};
  const Drawing d = drawCase(2, in, 201, Printed{2, in});
  std::vector<std::string> texts;
  for (const Marker& m : d.line->markers) {
    for (const Label& l : m.labels) texts.push_back(std::string(m.tag) + ": " + l.text);
  }
  // Both pieces where x = a, and f under the force.
  EXPECT_EQ(texts, (std::vector<std::string>{"x: wI(x=1500.000000)= 0.667826",
                                             "x: wII(x=1500.000000)= 0.667826", "xm: fm = 0.698980",
                                             "xm: xm = 1859.127904", "f: f = 0.667826"}));
  EXPECT_EQ(d.line->ratio, "fm = L/5723");
  EXPECT_EQ(d.line->scale, "Durchbiegung 500-fach vergrößert");
  EXPECT_EQ(d.summary,
            "Lager bei A u. B, Kraft aussermittig. Länge L = 4000. Last: Kraft F = 10000. "
            "Größte Durchbiegung: fm = 0.698980, xm = 1859.127904.");

  const Inputs printed = in;
  // Any value changed since: the marks lose their labels.
  for (double Inputs::*field :
       {&Inputs::F, &Inputs::L, &Inputs::E, &Inputs::Iy, &Inputs::a, &Inputs::x, &Inputs::xq}) {
    Inputs other = printed;
    other.*field += 1;
    EXPECT_FALSE(sameValues(2, other, Printed{2, printed}));
  }
  in.F = 20'000;
  const Drawing changed = drawCase(2, in, 201, Printed{2, printed});
  for (const Marker& m : changed.line->markers) EXPECT_TRUE(m.labels.empty()) << m.role;
  EXPECT_EQ(changed.line->legend, "Werte geändert: Taste g berechnet die Ergebnisse neu.");
  EXPECT_EQ(changed.line->ratio, "");

  in.F = 1e200;  // a long line is shortened, whole in the tooltip
  const Drawing huge = drawCase(1, in, 201, Printed{1, in});
  const Marker* xm = markerWith(*huge.line, "marker-xm");
  ASSERT_TRUE(xm != nullptr && xm->labels.size() == 1);
  EXPECT_EQ(xm->labels[0].shown, "fm = 7.59838e+195");
  EXPECT_GT(xm->labels[0].text.size(), 190U);
}

}  // namespace
}  // namespace veldra::drawing
