#include "beam/catalogue.h"

#include <algorithm>
#include <array>
#include <limits>

namespace veldra::beam {
namespace {

// A line that no mark shows: a slope.
ResultLine plain(std::string_view label, double value) { return {label, {}, value}; }

// A deflection that a mark shows, at `markAt` with the line's value `markW`.
ResultLine marked(std::string_view label, double value, Mark mark, double markAt, double markW) {
  return {label, {}, value, mark, markAt, markW};
}

// "label<at>)= <w>": the deflection line w at the coordinate at.
ResultLine lineAt(std::string_view label, double at, double w, Mark mark, double markAt) {
  return {label, at, w, mark, markAt, w};
}

void forceAtMidSpanResults(const Inputs& in, Report& out) {
  const SymmetricSpan r = forceAtMidSpan(in);
  out.add(marked("fm    = ", r.fm, Mark::kLargest, in.L / 2, r.fm));
  out.add(plain("alphaA= ", r.alphaA));
  out.add(plain("alphaB= ", r.alphaB));
  out.add(lineAt("w(x=", in.x, r.w, Mark::kAtX, in.x));
}

void forceOffCentreResults(const Inputs& in, Report& out) {
  const OffCentreForce r = forceOffCentre(in);
  out.add(marked("f     = ", r.f, Mark::kCharacteristic, in.a, r.f));
  out.add(marked("fm    = ", r.fm, Mark::kLargest, r.xm, r.fm));
  out.add(marked("xm    = ", r.xm, Mark::kLargest, r.xm, r.fm));
  out.add(plain("alphaA= ", r.alphaA));
  out.add(plain("alphaB= ", r.alphaB));
  if (r.wI) out.add(lineAt("wI(x=", in.x, *r.wI, Mark::kAtX, in.x));
  if (r.wII) out.add(lineAt("wII(x=", in.x, *r.wII, Mark::kAtX, in.x));
}

// Cases 31 and 32 print alike but for the label of the deflection line.
void endMomentResults(const EndMoment& r, std::string_view wLabel, double x, Report& out) {
  out.add({"f(", r.xf, r.f});
  out.add(marked("fm    = ", r.fm, Mark::kLargest, r.xm, r.fm));
  out.add(marked("xm    = ", r.xm, Mark::kLargest, r.xm, r.fm));
  out.add(plain("alphaA= ", r.alphaA));
  out.add(plain("alphaB= ", r.alphaB));
  out.add(lineAt(wLabel, x, r.w, Mark::kAtX, x));
}

void uniformLoadResults(const Inputs& in, Report& out) {
  const SymmetricSpan r = uniformLoad(in);
  out.add(marked("fm    = ", r.fm, Mark::kLargest, in.L / 2, r.fm));
  out.add(plain("alphaA= ", r.alphaA));
  out.add(plain("alphaB= ", r.alphaB));
  out.add(lineAt("w(", in.x, r.w, Mark::kAtX, in.x));
}

void triangularLoadResults(const Inputs& in, Report& out) {
  const TriangularSpan r = triangularLoad(in);
  out.add(marked("fm    = ", r.fm, Mark::kLargest, r.xm, r.fm));
  out.add(marked("xm    = ", r.xm, Mark::kLargest, r.xm, r.fm));
  out.add(plain("alphaA= ", r.alphaA));
  out.add(plain("alphaB= ", r.alphaB));
  out.add(lineAt("w(", in.x, r.w, Mark::kAtX, in.x));
}

// A cantilever's f is the deflection of its free end A.
void cantileverResults(const Cantilever& r, double x, Report& out) {
  out.add(marked("f     = ", r.f, Mark::kCharacteristic, 0, r.f));
  out.add(plain("alphaA= ", r.alphaA));
  out.add(lineAt("w(", x, r.w, Mark::kAtX, x));
}

// On an overhang the span deflects against the load: fm is the size of its
// largest deflection, which the line has with the opposite sign.
void overhangResults(const Overhang& r, const Inputs& in, Report& out) {
  out.add(marked("f = ", r.f, Mark::kCharacteristic, in.L + in.a, r.f));
  out.add(marked("fm= ", r.fm, Mark::kLargest, r.xm, -r.fm));
  out.add(marked("xm= ", r.xm, Mark::kLargest, r.xm, -r.fm));
  out.add(plain("alpha = ", r.alpha));
  out.add(plain("alphaA= ", r.alphaA));
  out.add(plain("alphaB= ", r.alphaB));
  out.add(lineAt("w(x =", in.x, r.w, Mark::kAtX, in.x));
  out.add(lineAt("w(xq=", in.xq, r.wq, Mark::kAtXq, in.L + in.xq));
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Case 2's line: the piece on the side of the force that x lies on.
double offCentreLine(const Inputs& in) {
  const OffCentreForce r = forceOffCentre(in);
  if (r.wI) return *r.wI;
  return r.wII ? *r.wII : kNaN;
}

// clang-format off
constexpr std::array kLoadCases = {
    LoadCase{.Nr = 1, .title = "Lager bei A u. B, Kraft in der Mitte",
             .support = Support::kSpan, .load = LoadKind::kForce, .loadAt = atMidSpan,
             .results = forceAtMidSpanResults,
             .span = [](const Inputs& in) { return forceAtMidSpan(in).w; }},
    LoadCase{.Nr = 2, .title = "Lager bei A u. B, Kraft aussermittig",
             .support = Support::kSpan, .load = LoadKind::kForce, .loadAt = atDistanceA,
             .results = forceOffCentreResults, .span = offCentreLine},
    LoadCase{.Nr = 31, .title = "Lager bei A u. B,Moment um A",
             .support = Support::kSpan, .load = LoadKind::kMoment, .loadAt = atA, .clockwise = true,
             .results = [](const Inputs& in, Report& out) { endMomentResults(momentAtA(in), "w(x=", in.x, out); },
             .span = [](const Inputs& in) { return momentAtA(in).w; }},
    LoadCase{.Nr = 32, .title = "Lager bei A u. B,Moment um B",
             .support = Support::kSpan, .load = LoadKind::kMoment, .loadAt = atB,
             .results = [](const Inputs& in, Report& out) { endMomentResults(momentAtB(in), "w(", in.x, out); },
             .span = [](const Inputs& in) { return momentAtB(in).w; }},
    LoadCase{.Nr = 4, .title = "Lager bei A u. B, Gleichstreckenlast",
             .support = Support::kSpan, .load = LoadKind::kUniform, .loadAt = atA, .loadTo = atB,
             .results = uniformLoadResults,
             .span = [](const Inputs& in) { return uniformLoad(in).w; }},
    LoadCase{.Nr = 5, .title = "Lager bei A u. B, Dreieckslast aufst.",
             .support = Support::kSpan, .load = LoadKind::kRising, .loadAt = atA, .loadTo = atB,
             .results = triangularLoadResults,
             .span = [](const Inputs& in) { return triangularLoad(in).w; }},
    LoadCase{.Nr = 6, .title = "Einsp bei B,Kraft bei A",
             .support = Support::kCantilever, .load = LoadKind::kForce, .loadAt = atA,
             .results = [](const Inputs& in, Report& out) { cantileverResults(cantileverForce(in), in.x, out); },
             .span = [](const Inputs& in) { return cantileverForce(in).w; }},
    LoadCase{.Nr = 7, .title = "Einsp bei B,Moment um A",
             .support = Support::kCantilever, .load = LoadKind::kMoment, .loadAt = atA,
             .results = [](const Inputs& in, Report& out) { cantileverResults(cantileverMoment(in), in.x, out); },
             .span = [](const Inputs& in) { return cantileverMoment(in).w; }},
    LoadCase{.Nr = 8, .title = "Einsp bei B,Gleichstreckenlast",
             .support = Support::kCantilever, .load = LoadKind::kUniform, .loadAt = atA, .loadTo = atB,
             .results = [](const Inputs& in, Report& out) { cantileverResults(cantileverUniformLoad(in), in.x, out); },
             .span = [](const Inputs& in) { return cantileverUniformLoad(in).w; }},
    LoadCase{.Nr = 9, .title = "Einsp bei B,Dreickslast aufst.",
             .support = Support::kCantilever, .load = LoadKind::kRising, .loadAt = atA, .loadTo = atB,
             .results = [](const Inputs& in, Report& out) { cantileverResults(cantileverRisingLoad(in), in.x, out); },
             .span = [](const Inputs& in) { return cantileverRisingLoad(in).w; }},
    LoadCase{.Nr = 10, .title = "Einsp bei B,Dreieckslast abfall.",
             .support = Support::kCantilever, .load = LoadKind::kFalling, .loadAt = atA, .loadTo = atB,
             .results = [](const Inputs& in, Report& out) { cantileverResults(cantileverFallingLoad(in), in.x, out); },
             .span = [](const Inputs& in) { return cantileverFallingLoad(in).w; }},
    LoadCase{.Nr = 11, .title = "Kragtraeger,Lager bei A u. B,Kraft am Kragende C",
             .support = Support::kOverhang, .load = LoadKind::kForce, .loadAt = atOverhangEnd,
             .results = [](const Inputs& in, Report& out) { overhangResults(overhangForce(in), in, out); },
             .span = [](const Inputs& in) { return overhangForce(in).w; },
             .overhang = [](const Inputs& in) { return overhangForce(in).wq; }},
    LoadCase{.Nr = 12, .title = "Kragtraeger,Lager bei A u. B,Gleichstreckenlast am Kragarm",
             .support = Support::kOverhang, .load = LoadKind::kUniform, .loadAt = atB, .loadTo = atOverhangEnd,
             .results = [](const Inputs& in, Report& out) { overhangResults(overhangUniformLoad(in), in, out); },
             .span = [](const Inputs& in) { return overhangUniformLoad(in).w; },
             .overhang = [](const Inputs& in) { return overhangUniformLoad(in).wq; }},
};
// clang-format on

}  // namespace

double atA(const Inputs& /*in*/) { return 0; }
double atB(const Inputs& in) { return in.L; }
double atMidSpan(const Inputs& in) { return in.L / 2; }
double atDistanceA(const Inputs& in) { return in.a; }
double atOverhangEnd(const Inputs& in) { return in.L + in.a; }

const LoadKindNames& namesOf(LoadKind kind) {
  return *std::find_if(kLoadKinds.begin(), kLoadKinds.end(),
                       [kind](const LoadKindNames& n) { return n.kind == kind; });
}

std::span<const LoadCase> loadCases() { return kLoadCases; }

const LoadCase* findLoadCase(std::int32_t Nr) {
  const auto* it = std::find_if(kLoadCases.begin(), kLoadCases.end(),
                                [Nr](const LoadCase& c) { return c.Nr == Nr; });
  return it == kLoadCases.end() ? nullptr : it;
}

}  // namespace veldra::beam
